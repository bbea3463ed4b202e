#include "hive_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "win/file_read.h"
#include "win/file_replace.h"
#include "win/text.h"

namespace tq::registry {
namespace {

std::string Folder() { return WindowsDirectory() + "/registry"; }

std::string FileOf(HiveId id) {
  static const char* const names[] = {"classes_root", "current_user", "local_machine", "users"};
  return Folder() + "/" + names[static_cast<int>(id)] + ".reg";
}

}  // namespace

DWORD WithLock(const std::string& lockPath, const std::function<DWORD()>& work) {
  int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
  while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  DWORD result = work();
  close(fd);
  return result;
}

// A hive holds the settings of a few programs; far below this.
constexpr std::size_t kMaxHiveBytes = 16 << 20;

DWORD LoadHive(HiveId id, Hive& hive) {
  std::string text;
  const DWORD read = ReadRegularFile(FileOf(id), kMaxHiveBytes, text);
  if (read == ERROR_FILE_NOT_FOUND) {
    hive = Hive{};
    return ERROR_SUCCESS;
  }
  if (read == ERROR_BAD_FILE_TYPE || read == ERROR_FILE_TOO_LARGE) return ERROR_BADDB;
  if (read != ERROR_SUCCESS) return read == ERROR_READ_FAULT ? read : ERROR_ACCESS_DENIED;
  auto parsed = Parse(text);
  if (!parsed) return ERROR_BADDB;
  hive = std::move(*parsed);
  return ERROR_SUCCESS;
}

DWORD ChangeHive(HiveId id, const std::function<DWORD(Hive&, bool& changed)>& change) {
  mkdir(Folder().c_str(), 0700);
  return WithLock(FileOf(id) + ".lock", [&]() -> DWORD {
    Hive hive;
    if (DWORD error = LoadHive(id, hive); error != ERROR_SUCCESS) return error;
    bool changed = false;
    if (DWORD error = change(hive, changed); error != ERROR_SUCCESS || !changed) return error;
    return ReplaceFileContents(Utf8ToUtf16(FileOf(id)), Serialize(hive));
  });
}

}  // namespace tq::registry
