// The Windows directory: where win.ini, the registry files and the
// phonebook list live. Private to the user, so created with mode 0700.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "internal.h"
#include "win/environment.h"
#include "win/text.h"

namespace {

std::string HomeFolder() {
  if (auto home = tq::EnvironmentValue("HOME")) return *home;
  if (passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/tmp";
}

// mkdir -p, each missing folder private to the user.
void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string prefix = path.substr(0, slash);
    if (!prefix.empty()) mkdir(prefix.c_str(), tq::kernel::kNewFolderMode);
    if (slash == std::string::npos) break;
  }
}

}  // namespace

namespace tq {

std::string WindowsDirectory() {
  std::string folder;
  const auto data = tq::EnvironmentValue("XDG_DATA_HOME");
  if (auto root = tq::EnvironmentValue("TELEQUILL_ROOT")) {
    folder = *root;
  } else if (data && data->front() == '/') {
    folder = *data + "/telequill";
  } else {
    folder = HomeFolder() + "/.local/share/telequill";
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) MakeFolders(folder);
  return folder;
}

}  // namespace tq

extern "C" UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
  std::u16string folder = tq::Utf8ToUtf16(tq::WindowsDirectory());
  if (buffer == nullptr || size <= folder.size()) return static_cast<UINT>(folder.size() + 1);
  folder.copy(buffer, folder.size());
  buffer[folder.size()] = 0;
  return static_cast<UINT>(folder.size());
}
