#include "host/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "win/file_replace.h"
#include "win/text.h"

namespace tq::host {

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error, FileAccess access) {
  const DWORD failure = ReplaceFileContents(Utf8ToUtf16(path), bytes, {.ownerOnly = access == FileAccess::OwnerOnly});
  if (failure == ERROR_SUCCESS) return true;
  error = path + ": cannot be written (" + DescribeFileError(failure) + ")";
  return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = path + ": cannot be read (" + std::strerror(errno) + ")";
    return false;
  }
  struct stat info {};
  if (fstat(fd, &info) == 0 && !S_ISREG(info.st_mode)) {
    close(fd);
    error = path + ": cannot be read (not a regular file)";
    return false;
  }
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int cause = errno;
      close(fd);
      error = path + ": cannot be read (" + std::strerror(cause) + ")";
      return false;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return true;
}

}  // namespace tq::host
