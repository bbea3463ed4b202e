#include "win/file_replace.h"

#include <unistd.h>

#include <atomic>
#include <string>

namespace tq {

DWORD ReplaceFileContents(std::u16string_view name, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  std::string suffix = ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  std::u16string temporary(name);
  temporary.append(suffix.begin(), suffix.end());

  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = ERROR_SUCCESS;
  DWORD written = 0;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      !FlushFileBuffers(file)) {
    error = GetLastError();
  }
  CloseHandle(file);
  std::u16string target(name);
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
  SetLastError(error);
  return error;
}

}  // namespace tq
