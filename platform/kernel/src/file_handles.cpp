// File handles over POSIX descriptors. Sharing is carried by flock(2), whose
// locks belong to the open file description, so two handles conflict even
// inside one process: share mode 0 takes an exclusive lock, any other share
// mode a shared one, both without waiting.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <unordered_set>

#include "internal.h"

namespace {

struct FileHandle {
  int fd;
};

std::mutex handlesMutex;
std::unordered_set<FileHandle*> handles;

FileHandle* Lookup(HANDLE handle) {
  std::lock_guard lock(handlesMutex);
  auto* file = static_cast<FileHandle*>(handle);
  return handles.count(file) != 0 ? file : nullptr;
}

int FileOf(HANDLE handle) {
  FileHandle* file = Lookup(handle);
  if (file == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  return file->fd;
}

bool ParentMissing(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return false;
  struct stat info {};
  return stat(path.substr(0, slash).c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

// Each reopen follows a rename by another writer; this many in a row means
// the file is being replaced continually.
constexpr int kMaxReopens = 1000;

}  // namespace

namespace tq::kernel {

int DescriptorOf(HANDLE handle) { return FileOf(handle); }

bool HeldExclusively(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);
  return held;
}

}  // namespace tq::kernel

using tq::kernel::Fail;

extern "C" HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, void* /*security*/,
                              DWORD disposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
  std::string path;
  if (!tq::kernel::NativeName(name, path)) return INVALID_HANDLE_VALUE;
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const bool writing = (access & GENERIC_WRITE) != 0;
  const bool reading = (access & GENERIC_READ) != 0;
  int mode = writing && reading ? O_RDWR : writing ? O_WRONLY : O_RDONLY;

  struct stat before {};
  const bool existed = stat(path.c_str(), &before) == 0;
  if (existed && S_ISDIR(before.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  // Read-only is the owner's write bit; honour it even for root.
  if (existed && (writing || disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) &&
      (before.st_mode & S_IWUSR) == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (!existed && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)) {
    SetLastError(ParentMissing(path) ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (existed && disposition == CREATE_NEW) {
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
  }

  int openFlags = mode | O_CLOEXEC;
  if (disposition == CREATE_NEW) openFlags |= O_CREAT | O_EXCL;
  if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) openFlags |= O_CREAT;
  // Never O_TRUNC here: truncation waits until the sharing lock is ours, so
  // a refused opener cannot empty a file that someone else holds.
  if ((disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) && !writing) {
    openFlags = (openFlags & ~O_ACCMODE) | O_RDWR;
  }
  // Without waiting: a FIFO opened for reading would block until a writer
  // came, for ever when none does.
  openFlags |= O_NONBLOCK;
  int fd = -1;
  // A writer that held the file may have renamed a new one over it between
  // our open and our lock; the lock is then on a file no longer at the path,
  // and what we wrote there would be lost. Open again until the locked file
  // is the one at the path.
  for (int attempt = 0;; ++attempt) {
    fd = open(path.c_str(), openFlags, tq::kernel::kNewFileMode);
    if (fd < 0) {
      int error = errno;
      SetLastError(error == ENOENT && ParentMissing(path) ? ERROR_PATH_NOT_FOUND
                                                          : tq::kernel::ErrorFromErrno(error));
      return INVALID_HANDLE_VALUE;
    }
    struct stat opened {};
    if (fstat(fd, &opened) != 0) {
      int error = errno;
      close(fd);
      SetLastError(tq::kernel::ErrorFromErrno(error));
      return INVALID_HANDLE_VALUE;
    }
    // Only regular files are read: a device or FIFO under a file's name
    // would block or never end.
    if (reading && !S_ISREG(opened.st_mode)) {
      close(fd);
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    tq::kernel::RunBetweenOpenAndLock();
    if (flock(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
      int error = errno;
      close(fd);
      SetLastError(error == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : tq::kernel::ErrorFromErrno(error));
      return INVALID_HANDLE_VALUE;
    }
    struct stat atPath {};
    const bool samePlace = stat(path.c_str(), &atPath) == 0 && atPath.st_dev == opened.st_dev &&
                           atPath.st_ino == opened.st_ino;
    if (samePlace || !S_ISREG(opened.st_mode)) break;
    close(fd);
    if (attempt == kMaxReopens) {
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
  }
  // Reads and writes wait again from here on.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if ((disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) && ftruncate(fd, 0) != 0) {
    int error = errno;
    close(fd);
    SetLastError(tq::kernel::ErrorFromErrno(error));
    return INVALID_HANDLE_VALUE;
  }
  auto* file = new (std::nothrow) FileHandle{fd};
  if (file == nullptr) {
    close(fd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  {
    std::lock_guard lock(handlesMutex);
    handles.insert(file);
  }
  // As Win32 does, an opener that found the file says so on success.
  SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS)
                   ? ERROR_ALREADY_EXISTS
                   : ERROR_SUCCESS);
  return file;
}

extern "C" BOOL ReadFile(HANDLE handle, void* buffer, DWORD toRead, LPDWORD read, void* /*overlapped*/) {
  if (read != nullptr) *read = 0;
  int fd = FileOf(handle);
  if (fd < 0) return FALSE;
  if (buffer == nullptr && toRead > 0) return Fail(ERROR_INVALID_PARAMETER);
  DWORD total = 0;
  while (total < toRead) {
    ssize_t n = ::read(fd, static_cast<char*>(buffer) + total, toRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (read != nullptr) *read = total;
      // A valid handle opened without this access gives EBADF.
      int error = errno;
      return Fail(error == EIO     ? ERROR_READ_FAULT
                  : error == EBADF ? ERROR_ACCESS_DENIED
                                   : tq::kernel::ErrorFromErrno(error));
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (read != nullptr) *read = total;
  return TRUE;
}

extern "C" BOOL WriteFile(HANDLE handle, const void* buffer, DWORD toWrite, LPDWORD written,
                          void* /*overlapped*/) {
  if (written != nullptr) *written = 0;
  int fd = FileOf(handle);
  if (fd < 0) return FALSE;
  if (buffer == nullptr && toWrite > 0) return Fail(ERROR_INVALID_PARAMETER);
  if (tq::kernel::FaultFires(tq::FileFault::Write)) return Fail(ERROR_DISK_FULL);
  DWORD total = 0;
  while (total < toWrite) {
    ssize_t n = ::write(fd, static_cast<const char*>(buffer) + total, toWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (written != nullptr) *written = total;
      if (n == 0 || errno == ENOSPC || errno == EDQUOT) return Fail(ERROR_DISK_FULL);
      // A valid handle opened without this access gives EBADF.
      int error = errno;
      return Fail(error == EIO     ? ERROR_WRITE_FAULT
                  : error == EBADF ? ERROR_ACCESS_DENIED
                                   : tq::kernel::ErrorFromErrno(error));
    }
    total += static_cast<DWORD>(n);
  }
  if (written != nullptr) *written = total;
  return TRUE;
}

extern "C" DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD method) {
  int fd = FileOf(handle);
  if (fd < 0) return INVALID_SET_FILE_POINTER;
  int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  // Without a high part the distance is a signed 32-bit value, as in Win32.
  off_t offset = distanceHigh != nullptr
                     ? static_cast<off_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32) |
                                          static_cast<DWORD>(distance))
                     : static_cast<off_t>(distance);
  off_t base = whence == SEEK_SET ? 0 : lseek(fd, 0, whence);
  if (base < 0 || base + offset < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  off_t position = lseek(fd, base + offset, SEEK_SET);
  if (position < 0) {
    SetLastError(tq::kernel::ErrorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(position);
}

extern "C" BOOL SetEndOfFile(HANDLE handle) {
  int fd = FileOf(handle);
  if (fd < 0) return FALSE;
  off_t position = lseek(fd, 0, SEEK_CUR);
  if (position < 0 || ftruncate(fd, position) != 0) return tq::kernel::FailFromErrno(errno);
  return TRUE;
}

extern "C" BOOL FlushFileBuffers(HANDLE handle) {
  int fd = FileOf(handle);
  if (fd < 0) return FALSE;
  if (tq::kernel::FaultFires(tq::FileFault::Flush)) return Fail(ERROR_DISK_FULL);
  if (fsync(fd) != 0) {
    return Fail(errno == ENOSPC || errno == EDQUOT ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
  }
  return TRUE;
}

extern "C" DWORD GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
  int fd = FileOf(handle);
  if (fd < 0) return INVALID_FILE_SIZE;
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    SetLastError(tq::kernel::ErrorFromErrno(errno));
    return INVALID_FILE_SIZE;
  }
  auto size = static_cast<std::uint64_t>(info.st_size);
  if (sizeHigh != nullptr) *sizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

extern "C" BOOL CloseHandle(HANDLE handle) {
  FileHandle* file = nullptr;
  {
    std::lock_guard lock(handlesMutex);
    auto found = handles.find(static_cast<FileHandle*>(handle));
    if (found != handles.end()) {
      file = *found;
      handles.erase(found);
    }
  }
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE);
  int result = close(file->fd);
  delete file;
  return result == 0 || errno == EINTR ? TRUE : tq::kernel::FailFromErrno(errno);
}
