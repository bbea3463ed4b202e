// Resource scripts by instance handle: registrations first, then the
// module's exported TelequillResources found with dlsym.
#include "win/resource.h"

#include <dlfcn.h>
#include <link.h>

#include <map>
#include <mutex>
#include <string>

namespace tq::res {
namespace {

struct Registry {
  std::mutex mutex;
  std::map<HINSTANCE, const ResourceScript*> scripts;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

// "#101" or "101" as a template or bitmap name; -1 when it is not a number.
int NumberFromName(LPCWSTR name) {
  if (name == nullptr) return -1;
  if (IS_INTRESOURCE(name)) return static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
  const char16_t* p = name;
  if (*p == u'#') ++p;
  if (*p == 0) return -1;
  long value = 0;
  for (; *p != 0; ++p) {
    if (*p < u'0' || *p > u'9' || value > 0xFFFF) return -1;
    value = value * 10 + (*p - u'0');
  }
  return static_cast<int>(value);
}

// Whether `instance` is the handle of a loaded module. With glibc a dlopen()
// handle is the module's link map entry, so a made-up or freed handle is
// told apart before dlsym could be handed it.
bool IsLoadedModule(HINSTANCE instance) {
  for (const link_map* map = _r_debug.r_map; map != nullptr; map = map->l_next) {
    if (reinterpret_cast<const void*>(map) == reinterpret_cast<const void*>(instance)) return true;
  }
  return false;
}

}  // namespace

void RegisterResources(HINSTANCE instance, const ResourceScript& script) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.scripts[instance] = &script;
}

const ResourceScript* FindResources(HINSTANCE instance) {
  {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.scripts.find(instance);
    if (found != registry.scripts.end()) return found->second;
  }
  if (instance == nullptr || !IsLoadedModule(instance)) return nullptr;
  using Lookup = const ResourceScript* (*)();
  void* symbol = dlsym(reinterpret_cast<void*>(instance), "TelequillResources");
  if (symbol == nullptr) return nullptr;
  return reinterpret_cast<Lookup>(symbol)();
}

const DialogTemplate* FindDialog(HINSTANCE instance, LPCWSTR name) {
  const ResourceScript* script = FindResources(instance);
  const int id = NumberFromName(name);
  if (script == nullptr || id < 0) return nullptr;
  for (const DialogTemplate& dialog : script->dialogs) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

const StringResource* FindString(HINSTANCE instance, UINT id) {
  const ResourceScript* script = FindResources(instance);
  if (script == nullptr) return nullptr;
  for (const StringResource& string : script->strings) {
    if (string.id == id) return &string;
  }
  return nullptr;
}

const BitmapResource* FindBitmap(HINSTANCE instance, LPCWSTR name) {
  const ResourceScript* script = FindResources(instance);
  const int id = NumberFromName(name);
  if (script == nullptr || id < 0) return nullptr;
  for (const BitmapResource& bitmap : script->bitmaps) {
    if (bitmap.id == id) return &bitmap;
  }
  return nullptr;
}

// A bitmap handle is the address of its resource entry: resources live as
// long as their module, and DeleteBitmap has nothing to free.
const BitmapResource* BitmapData(HBITMAP bitmap) {
  return reinterpret_cast<const BitmapResource*>(bitmap);
}

}  // namespace tq::res
