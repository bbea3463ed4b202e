#include "host/atomic_file.h"

#include "win/file_read.h"
#include "win/file_replace.h"
#include "win/text.h"

namespace tq::host {

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error, FileAccess access) {
  const DWORD failure = ReplaceFileContents(Utf8ToUtf16(path), bytes, {.ownerOnly = access == FileAccess::OwnerOnly});
  if (failure == ERROR_SUCCESS) return true;
  error = path + ": cannot be written (" + DescribeFileError(failure) + ")";
  return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error, std::size_t maxBytes) {
  const DWORD failure = ReadRegularFile(path, maxBytes, bytes);
  if (failure == ERROR_SUCCESS) return true;
  error = path + ": cannot be read (" + DescribeFileError(failure) + ")";
  return false;
}

}  // namespace tq::host
