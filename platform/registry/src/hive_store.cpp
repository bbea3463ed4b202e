#include "hive_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

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

DWORD LoadHive(HiveId id, Hive& hive) {
  std::ifstream in(FileOf(id), std::ios::binary);
  if (!in) {
    struct stat info {};
    if (stat(FileOf(id).c_str(), &info) == 0) return ERROR_ACCESS_DENIED;
    hive = Hive{};
    return ERROR_SUCCESS;
  }
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return ERROR_READ_FAULT;
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
