#include "host/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tq::host {

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error, FileAccess access) {
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    error = path + ": cannot be written (" + std::strerror(errno) + ")";
    return false;
  }
  // mkstemp makes the file private; a shared one gets the usual mode.
  if (access == FileAccess::Shared) {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
  }

  bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  int cause = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    cause = errno;
  }
  if (ok && rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    cause = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    error = path + ": cannot be written (" + std::strerror(cause) + ")";
    return false;
  }
  // Make the rename itself durable.
  const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
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
