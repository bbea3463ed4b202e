#include "win/file_replace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>

#include "internal.h"

namespace tq {

namespace {

std::u16string UniqueTemporaryFor(std::u16string_view name) {
  static std::atomic<unsigned> counter{0};
  std::string suffix = ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  std::u16string temporary(name);
  temporary.append(suffix.begin(), suffix.end());
  return temporary;
}

HANDLE CreateTemporary(const std::u16string& temporary, bool fixedName) {
  // A fixed name may be a leftover of an earlier failure, even read-only.
  if (fixedName) SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
  return CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, fixedName ? CREATE_ALWAYS : CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool MakeOwnerOnly(const std::u16string& temporary) {
  std::string path;
  if (!kernel::NativeName(temporary.c_str(), path)) return false;
  return chmod(path.c_str(), S_IRUSR | S_IWUSR) == 0 || kernel::FailFromErrno(errno);
}

}  // namespace

std::string DescribeFileError(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL: return "disk full";
    case ERROR_ACCESS_DENIED: return "permission denied";
    case ERROR_FILE_NOT_FOUND: return "no such file";
    case ERROR_PATH_NOT_FOUND: return "no such folder";
    case ERROR_SHARING_VIOLATION: return "in use by another program";
    case ERROR_FILENAME_EXCED_RANGE: return "name too long";
    case ERROR_WRITE_FAULT: return "write failed";
    case ERROR_CANCELLED: return "cancelled";
    case ERROR_HANDLE_EOF: return "its source ended early";
    default: return "error " + std::to_string(error);
  }
}

bool WriteAllBytes(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

DWORD ReplaceFileWith(std::u16string_view name, const FileContentsWriter& write, const FileReplaceOptions& options) {
  const bool fixedName = !options.temporaryName.empty();
  const std::u16string temporary = fixedName ? std::u16string(options.temporaryName) : UniqueTemporaryFor(name);
  HANDLE file = CreateTemporary(temporary, fixedName);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();

  DWORD error = ERROR_SUCCESS;
  // The mode is set before any byte is written, so a private text is never
  // readable by others, not even for a moment.
  if (options.ownerOnly && !MakeOwnerOnly(temporary)) error = GetLastError();
  if (error == ERROR_SUCCESS) {
    SetLastError(ERROR_SUCCESS);
    if (!write(file)) {
      error = GetLastError();
      if (error == ERROR_SUCCESS) error = ERROR_CANCELLED;
    } else if (!FlushFileBuffers(file)) {
      error = GetLastError();
    }
  }
  CloseHandle(file);
  const std::u16string target(name);
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
  SetLastError(error);
  return error;
}

DWORD ReplaceFileContents(std::u16string_view name, std::string_view bytes, const FileReplaceOptions& options) {
  return ReplaceFileWith(name, [bytes](HANDLE file) { return WriteAllBytes(file, bytes); }, options);
}

}  // namespace tq
