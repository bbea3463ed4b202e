// The user's private runtime folder: sockets of the processes' windows live
// there, so nobody but the user may list, create or remove anything in it.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "ipc/ipc.h"
#include "win/environment.h"
#include "win/text.h"

namespace tq::ipc {
namespace {

std::string FromEnvironment(const char* name) {
  return EnvironmentValue(name).value_or("");
}

// Makes `path` a folder of ours with mode 0700; false when it is something
// else or belongs to somebody else.
bool MakePrivate(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (info.st_uid != geteuid()) return false;
  if ((info.st_mode & 0777) != 0700 && chmod(path.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

std::string PrivateRuntimeFolder() {
  std::string folder;
  if (std::string root = FromEnvironment("TELEQUILL_ROOT"); !root.empty()) {
    folder = root + "/run";
  } else if (std::string runtime = FromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty()) {
    folder = runtime + "/telequill";
  } else {
    folder = WindowsDirectory() + "/run";
  }
  // The Windows directory (or the runtime folder) itself is created by its
  // own rules; only the private folder inside it is made here.
  const size_t slash = folder.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    const std::string parent = folder.substr(0, slash);
    if (mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return {};
  }
  return MakePrivate(folder) ? folder : std::string();
}

}  // namespace tq::ipc
