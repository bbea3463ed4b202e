#include "program_search.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "win/environment.h"
#include "win/kernel.h"
#include "win/process.h"

namespace tq::ipc {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ModuleFolder(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  char resolved[PATH_MAX];
  return FolderOf(realpath(info.dli_fname, resolved) != nullptr ? resolved : info.dli_fname);
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? FolderOf(std::string(path, static_cast<size_t>(length))) : std::string();
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The file names `base` may stand for.
std::vector<std::string> NameForms(const std::string& base) {
  std::vector<std::string> forms{base};
  if (base.size() > 4 && Lower(base.substr(base.size() - 4)) == ".exe") forms.push_back(base.substr(0, base.size() - 4));
  const size_t count = forms.size();
  for (size_t i = 0; i < count; ++i) {
    if (Lower(forms[i]) != forms[i]) forms.push_back(Lower(forms[i]));
  }
  return forms;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.empty() ? "/" : path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::vector<std::string> ProgramFolders(const void* caller) {
  std::vector<std::string> folders;
  auto add = [&folders](const std::string& folder) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  };
  add(ModuleFolder(caller));
  add(ProgramFolder());
  if (const auto plugins = EnvironmentValue("TELEQUILL_PLUGIN_DIR")) add(*plugins);
  add(ModuleFolder(reinterpret_cast<const void*>(&ProgramFolders)));
  return folders;
}

ProgramFound FindProgram(const std::string& name, const std::vector<std::string>& folders) {
  ProgramFound found;
  found.error = ERROR_FILE_NOT_FOUND;
  if (name.empty()) return found;
  std::vector<std::string> places = folders;
  std::string base = name;
  if (const size_t slash = name.rfind('/'); slash != std::string::npos) {
    const std::string folder = name.substr(0, slash);
    if (!IsFolder(folder)) {
      found.error = ERROR_PATH_NOT_FOUND;
      return found;
    }
    places = {folder.empty() ? std::string("/") : folder};
    base = name.substr(slash + 1);
  }
  for (const std::string& folder : places) {
    for (const std::string& form : NameForms(base)) {
      const std::string path = folder == "/" ? "/" + form : folder + "/" + form;
      struct stat info {};
      if (stat(path.c_str(), &info) != 0) continue;
      if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0) return {path, 0};
      found.error = ERROR_BAD_FORMAT;
    }
  }
  return found;
}

}  // namespace tq::ipc
