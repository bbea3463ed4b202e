#include "win/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string>

#include "win/text.h"

#include "internal.h"

namespace tq {

namespace {

// Temporary files are named "<target>.tmp-<pid>-<n>": no two targets share
// one, even names that differ only in case, and the writer that made one can
// be told from its name.
constexpr std::string_view kTemporaryMark = ".tmp-";

std::string TemporaryFor(std::string_view target, unsigned number) {
  std::string temporary(target);
  temporary.append(kTemporaryMark).append(std::to_string(getpid())).append("-").append(std::to_string(number));
  return temporary;
}

// The process that wrote a temporary file, from its name: anything, then
// ".tmp-PID-N" to the end.
std::optional<pid_t> WriterOf(std::string_view entry) {
  const std::size_t mark = entry.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return {};
  std::string_view rest = entry.substr(mark + kTemporaryMark.size());
  pid_t pid = 0;
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  if (error != std::errc{} || end == rest.data() || end == rest.data() + rest.size() || *end != '-') return {};
  std::string_view number(end + 1, static_cast<std::size_t>(rest.data() + rest.size() - (end + 1)));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) return {};
  return pid;
}

// Removes the temporary files that killed writers left in the target's
// folder, whatever file they were for: only those of processes that no
// longer run (a live writer's file is its own), and only regular files of
// this user, so that root writing into a shared folder never removes
// another user's file that happens to be named like one.
void RemoveStaleTemporaries(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    std::optional<pid_t> writer = WriterOf(entry->d_name);
    if (!writer || *writer == getpid() || kill(*writer, 0) == 0 || errno != ESRCH) continue;
    struct stat info {};
    if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != geteuid()) {
      continue;
    }
    unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

// Creates a temporary file no one else has, exclusively, in the target's folder.
HANDLE CreateTemporary(const std::string& target, std::u16string& temporary) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    temporary = Utf8ToUtf16(TemporaryFor(target, counter++));
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A leftover of an earlier process with our process id: take the next number.
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
}

// New files are private; a shared one is opened to other users' reading.
bool MakeShared(const std::u16string& temporary) {
  std::string path;
  if (!kernel::NativeName(temporary.c_str(), path)) return false;
  return chmod(path.c_str(), S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH) == 0 || kernel::FailFromErrno(errno);
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
    case ERROR_BAD_FILE_TYPE: return "not a regular file";
    case ERROR_FILE_TOO_LARGE: return "too large";
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
  const std::u16string target(name);
  std::string nativeTarget;
  if (!kernel::NativeName(target.c_str(), nativeTarget)) return GetLastError();
  RemoveStaleTemporaries(nativeTarget);
  std::u16string temporary;
  HANDLE file = CreateTemporary(nativeTarget, temporary);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();

  DWORD error = ERROR_SUCCESS;
  // The mode is settled before any byte is written, so a private text is
  // never readable by others, not even for a moment.
  if (!options.ownerOnly && !MakeShared(temporary)) error = GetLastError();
  if (error == ERROR_SUCCESS) {
    SetLastError(ERROR_SUCCESS);
    if (!write(file)) {
      error = GetLastError();
      if (error == ERROR_SUCCESS) error = ERROR_CANCELLED;
    } else if (options.durable && !FlushFileBuffers(file)) {
      error = GetLastError();
    }
  }
  CloseHandle(file);
  const auto sync = options.durable ? kernel::MoveSync::SourceSynced : kernel::MoveSync::None;
  if (error == ERROR_SUCCESS &&
      !kernel::MoveFileSynced(temporary.c_str(),
                              target.c_str(), MOVEFILE_REPLACE_EXISTING, sync)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
  SetLastError(error);
  return error;
}

void RemoveDeadTemporariesBeside(std::u16string_view name) {
  const std::u16string target(name);
  std::string nativeTarget;
  if (kernel::NativeName(target.c_str(), nativeTarget)) RemoveStaleTemporaries(nativeTarget);
}

DWORD ReplaceFileContents(std::u16string_view name, std::string_view bytes, const FileReplaceOptions& options) {
  return ReplaceFileWith(name, [bytes](HANDLE file) { return WriteAllBytes(file, bytes); }, options);
}

}  // namespace tq
