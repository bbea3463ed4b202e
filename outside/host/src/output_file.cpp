#include "host/output_file.h"

#include <unistd.h>

#include <atomic>
#include <cstring>

#include "win/file_copy.h"
#include "win/text.h"

namespace tq::host {

namespace {

std::string Cause(DWORD code) {
  switch (code) {
    case ERROR_DISK_FULL: return "the disk is full";
    case ERROR_ACCESS_DENIED: return "access denied";
    case ERROR_PATH_NOT_FOUND: return "no such folder";
    case ERROR_HANDLE_EOF: return "the document ended early";
    default: return "error " + std::to_string(code);
  }
}

class FileSink final : public JobSink {
 public:
  FileSink(HANDLE file, std::string path) : file_(file), path_(std::move(path)) {}

  bool Write(std::string_view bytes, std::string& error) override {
    while (!bytes.empty()) {
      const DWORD piece = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data(), piece, &written, nullptr)) return Failed(GetLastError(), error);
      bytes.remove_prefix(written);
    }
    return true;
  }

  bool CopyFrom(HANDLE document, std::uint64_t size, std::string& error) override {
    // The file is flushed before it is renamed: its writing starts now.
    const DWORD code = CopyFileData(document, file_, size, nullptr, CopyWriteback::Early);
    return code == ERROR_SUCCESS || Failed(code, error);
  }

 private:
  bool Failed(DWORD code, std::string& error) const {
    error = path_ + ": cannot be written (" + Cause(code) + ")";
    return false;
  }

  HANDLE file_;
  std::string path_;
};

// A name beside `path` that no other writer uses.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tq" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

bool ReplaceFileStreaming(const std::string& path, const JobProducer& produce, std::string& error) {
  std::u16string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = Utf8ToUtf16(TemporaryNameFor(path));
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    error = path + ": cannot be written (" + Cause(GetLastError()) + ")";
    return false;
  }
  FileSink sink(file, path);
  bool ok = produce(sink, error);
  if (ok && !FlushFileBuffers(file)) {
    error = path + ": cannot be written (" + Cause(GetLastError()) + ")";
    ok = false;
  }
  CloseHandle(file);
  const auto target = Utf8ToUtf16(path);
  if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING)) {
    error = path + ": cannot be written (" + Cause(GetLastError()) + ")";
    ok = false;
  }
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

}  // namespace tq::host
