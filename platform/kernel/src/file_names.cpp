// Operations on files by name: delete, move, copy, attributes, folders.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "internal.h"

using tq::kernel::Fail;
using tq::kernel::FailFromErrno;

namespace {

bool Exists(const std::string& path, struct stat* info = nullptr) {
  struct stat local {};
  return stat(path.c_str(), info != nullptr ? info : &local) == 0;
}

bool ReadOnly(const struct stat& info) { return !S_ISDIR(info.st_mode) && (info.st_mode & S_IWUSR) == 0; }

bool SyncFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

// Copies the bytes of `from` into the open descriptor; false with errno set.
bool CopyBytes(int from, int to) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    ssize_t n = read(from, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(to, buffer.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        if (w == 0) errno = ENOSPC;
        return false;
      }
      done += w;
    }
  }
}

// Checks shared by the replacing operations: the source must exist, the
// target (when it exists) be a writable file. A target that is open stays
// replaceable, as rename(2) allows: writers rename over a file they still
// hold so that no other process sees it missing.
bool CheckMove(const std::string& from, const std::string& to, bool replace, bool& targetExists) {
  struct stat source {};
  if (!Exists(from, &source)) return FailFromErrno(errno);
  struct stat target {};
  targetExists = Exists(to, &target);
  if (targetExists && !replace) return Fail(ERROR_ALREADY_EXISTS);
  if (targetExists && (S_ISDIR(target.st_mode) || ReadOnly(target))) return Fail(ERROR_ACCESS_DENIED);
  return true;
}

}  // namespace

namespace tq::kernel {

bool SyncParentFolder(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

}  // namespace tq::kernel

extern "C" BOOL DeleteFileW(LPCWSTR name) {
  std::string path;
  if (!tq::kernel::NativeName(name, path)) return FALSE;
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return FailFromErrno(errno);
  if (S_ISDIR(info.st_mode) || ReadOnly(info)) return Fail(ERROR_ACCESS_DENIED);
  if (unlink(path.c_str()) != 0) return FailFromErrno(errno);
  return TRUE;
}

namespace tq::kernel {

bool MoveFileSynced(LPCWSTR fromName, LPCWSTR toName, DWORD flags, MoveSync sync) {
  std::string from;
  std::string to;
  if (!NativeName(fromName, from) || !NativeName(toName, to)) return false;
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  bool targetExists = false;
  if (!CheckMove(from, to, replace, targetExists)) return false;
  if (FaultFires(tq::FileFault::Rename)) return Fail(ERROR_DISK_FULL);
  // The source's data reach the disk before its name replaces the old file,
  // so a crash leaves the old file or the complete new one.
  if (replace && sync == MoveSync::Full) SyncFile(from);
  int result = replace ? rename(from.c_str(), to.c_str())
                       : renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
  if (result != 0 && errno == EXDEV && (flags & MOVEFILE_COPY_ALLOWED) != 0) {
    if (!CopyFileW(fromName, toName, replace ? FALSE : TRUE)) return false;
    return DeleteFileW(fromName);
  }
  if (result != 0) return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno));
  if (sync != MoveSync::None) SyncParentFolder(to);
  return true;
}

}  // namespace tq::kernel

extern "C" BOOL MoveFileExW(LPCWSTR fromName, LPCWSTR toName, DWORD flags) {
  return tq::kernel::MoveFileSynced(fromName, toName, flags, tq::kernel::MoveSync::Full) ? TRUE : FALSE;
}

extern "C" BOOL CopyFileW(LPCWSTR fromName, LPCWSTR toName, BOOL failIfExists) {
  std::string from;
  std::string to;
  if (!tq::kernel::NativeName(fromName, from) || !tq::kernel::NativeName(toName, to)) return FALSE;
  bool targetExists = false;
  if (!CheckMove(from, to, !failIfExists, targetExists)) {
    if (GetLastError() == ERROR_ALREADY_EXISTS) SetLastError(ERROR_FILE_EXISTS);
    return FALSE;
  }
  // Reading a file that another handle holds without sharing is refused.
  if (tq::kernel::HeldExclusively(from)) return Fail(ERROR_SHARING_VIOLATION);
  int source = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (source < 0) return FailFromErrno(errno);
  struct stat info {};
  fstat(source, &info);
  // Copy beside the target and rename, so the target is never half written.
  std::string temporary = to + ".tqcopy-XXXXXX";
  int target = mkostemp(temporary.data(), O_CLOEXEC);
  if (target < 0) {
    int error = errno;
    close(source);
    return error == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailFromErrno(error);
  }
  DWORD error = ERROR_SUCCESS;
  if (tq::kernel::FaultFires(tq::FileFault::Write)) {
    error = ERROR_DISK_FULL;
  } else if (!CopyBytes(source, target)) {
    error = errno == ENOSPC || errno == EDQUOT ? ERROR_DISK_FULL : tq::kernel::ErrorFromErrno(errno);
  } else if (tq::kernel::FaultFires(tq::FileFault::Flush)) {
    error = ERROR_DISK_FULL;
  } else if (fchmod(target, info.st_mode & 07777) != 0 || fsync(target) != 0) {
    error = errno == ENOSPC || errno == EDQUOT ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
  } else if (tq::kernel::FaultFires(tq::FileFault::Rename)) {
    error = ERROR_DISK_FULL;
  } else if (rename(temporary.c_str(), to.c_str()) != 0) {
    error = tq::kernel::ErrorFromErrno(errno);
  }
  close(source);
  close(target);
  if (error != ERROR_SUCCESS) {
    unlink(temporary.c_str());
    return Fail(error);
  }
  tq::kernel::SyncParentFolder(to);
  return TRUE;
}

extern "C" DWORD GetFileAttributesW(LPCWSTR name) {
  std::string path;
  if (!tq::kernel::NativeName(name, path)) return INVALID_FILE_ATTRIBUTES;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : tq::kernel::ErrorFromErrno(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return ReadOnly(info) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
}

extern "C" BOOL SetFileAttributesW(LPCWSTR name, DWORD attributes) {
  std::string path;
  if (!tq::kernel::NativeName(name, path)) return FALSE;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return FailFromErrno(errno);
  if (S_ISDIR(info.st_mode)) return TRUE;
  mode_t mode = info.st_mode & 07777;
  mode = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
  if (chmod(path.c_str(), mode) != 0) return FailFromErrno(errno);
  return TRUE;
}

extern "C" BOOL CreateDirectoryW(LPCWSTR name, void* /*security*/) {
  std::string path;
  if (!tq::kernel::NativeName(name, path)) return FALSE;
  if (mkdir(path.c_str(), tq::kernel::kNewFolderMode) != 0) {
    return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : errno == ENOENT ? ERROR_PATH_NOT_FOUND
                                                                        : tq::kernel::ErrorFromErrno(errno));
  }
  return TRUE;
}
