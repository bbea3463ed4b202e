#include "win/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "internal.h"

namespace tq {

DWORD ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  // Non-blocking: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return kernel::ErrorFromErrno(errno);
  struct stat info {};
  DWORD error = ERROR_SUCCESS;
  if (fstat(fd, &info) != 0) {
    error = kernel::ErrorFromErrno(errno);
  } else if (!S_ISREG(info.st_mode)) {
    error = ERROR_BAD_FILE_TYPE;
  } else if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    error = ERROR_FILE_TOO_LARGE;
  }
  if (error == ERROR_SUCCESS) {
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    // One byte more than the limit allows tells a file that grew meanwhile.
    char extra = 0;
    for (;;) {
      char* into = filled < bytes.size() ? bytes.data() + filled : &extra;
      const std::size_t room = filled < bytes.size() ? bytes.size() - filled : 1;
      const ssize_t got = read(fd, into, room);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        error = errno == EIO ? ERROR_READ_FAULT : kernel::ErrorFromErrno(errno);
        break;
      }
      if (got == 0) break;
      if (into == &extra) {
        if (bytes.size() >= maxBytes) {
          error = ERROR_FILE_TOO_LARGE;
          break;
        }
        bytes.push_back(extra);
        filled = bytes.size();
        continue;
      }
      filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
  }
  close(fd);
  if (error != ERROR_SUCCESS) bytes.clear();
  return error;
}

}  // namespace tq
