#include "host/plugin_set.h"
#include "win/environment.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace tq::host {

namespace {

using GetFuncTableFn = const AddOnTable* (*)();
using DllInitializeFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

DllInitializeFn EntryOf(void* handle) {
  return reinterpret_cast<DllInitializeFn>(dlsym(handle, "DllInitialize"));
}

void Release(Plugin& plugin) {
  if (plugin.handle == nullptr) return;
  if (plugin.initialized) {
    if (DllInitializeFn entry = EntryOf(plugin.handle)) {
      entry(reinterpret_cast<HINSTANCE>(plugin.handle), kProcessDetach, nullptr);
    }
  }
  dlclose(plugin.handle);
  plugin = Plugin{};
}

bool LoadOne(const std::string& folder, const std::string& name, Plugin& plugin, std::string& error) {
  plugin.path = folder.empty() ? name : folder + "/" + name;
  if (access(plugin.path.c_str(), F_OK) != 0) {
    error = plugin.path + ": plug-in not found";
    return false;
  }
  plugin.handle = dlopen(plugin.path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (plugin.handle == nullptr) {
    const char* why = dlerror();
    error = plugin.path + ": cannot be loaded" + (why != nullptr ? std::string(" (") + why + ")" : "");
    return false;
  }
  // The render plug-in has no entry routine; the UI plug-in's may refuse.
  if (DllInitializeFn entry = EntryOf(plugin.handle)) {
    if (entry(reinterpret_cast<HINSTANCE>(plugin.handle), kProcessAttach, nullptr) == FALSE) {
      error = plugin.path + ": its library entry refused to start";
      return false;
    }
    plugin.initialized = true;
  }
  auto getFuncTable = reinterpret_cast<GetFuncTableFn>(dlsym(plugin.handle, "GetFuncTable"));
  if (getFuncTable == nullptr) {
    error = plugin.path + ": not a fax add-on (it has no GetFuncTable)";
    return false;
  }
  plugin.table = getFuncTable();
  if (plugin.table == nullptr) {
    error = plugin.path + ": GetFuncTable gave no table";
    return false;
  }
  if (std::string wrong = CheckAddOnTable(*plugin.table); !wrong.empty()) {
    error = plugin.path + ": " + wrong;
    return false;
  }
  return true;
}

}  // namespace

std::string PluginFolder() {
  if (auto folder = EnvironmentValue("TELEQUILL_PLUGIN_DIR")) return *folder;
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return ".";
  std::string path(self, static_cast<std::size_t>(length));
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string CheckAddOnTable(const AddOnTable& table) {
  if (table.addOnId != kFaxAddOnId) {
    return "carries add-on identifier " + std::to_string(table.addOnId) + ", not " +
           std::to_string(kFaxAddOnId);
  }
  if (table.size != static_cast<std::int32_t>(sizeof(AddOnTable))) {
    return "its add-on table has size " + std::to_string(table.size) + ", not " +
           std::to_string(sizeof(AddOnTable));
  }
  if (table.block1Size != static_cast<std::int32_t>(sizeof(FaxOptionsBlock)) || table.block2Size != 0 ||
      table.block3Size != static_cast<std::int32_t>(sizeof(FaxSendBlock))) {
    return "its block sizes are " + std::to_string(table.block1Size) + ", " +
           std::to_string(table.block2Size) + " and " + std::to_string(table.block3Size) +
           ", not 172, 0 and 11816";
  }
  if (table.block1Defaults == nullptr || table.block3Defaults == nullptr) {
    return "its add-on table lacks the defaults of its blocks";
  }
  return {};
}

PluginSet::~PluginSet() { Unload(); }

void PluginSet::Unload() {
  Release(render_);
  Release(ui_);
}

bool PluginSet::Load(Model model, const std::string& folder, std::string& error) {
  Unload();
  if (!LoadOne(folder, FaxUiFileName(model), ui_, error) ||
      !LoadOne(folder, FaxRenderFileName(model), render_, error)) {
    Unload();
    return false;
  }
  // Both plug-ins describe the same add-on's blocks; the render side finds
  // what the UI side wrote only when they agree.
  if (std::memcmp(ui_.table->block1Defaults, render_.table->block1Defaults, sizeof(FaxOptionsBlock)) != 0 ||
      std::memcmp(ui_.table->block3Defaults, render_.table->block3Defaults, sizeof(FaxSendBlock)) != 0) {
    error = render_.path + ": its block defaults differ from those of " + ui_.path;
    Unload();
    return false;
  }
  return true;
}

}  // namespace tq::host
