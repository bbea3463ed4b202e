// Resource scripts by instance handle: registrations first, then the
// module's exported TelequillResources found with dlsym.
#include "win/resource.h"
#include "item_list.h"
#include "win/text.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
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

// The first identifier in `ids` given twice, or none.
template <class Id>
std::optional<Id> RepeatedId(std::vector<Id> ids) {
  std::sort(ids.begin(), ids.end());
  const auto repeated = std::adjacent_find(ids.begin(), ids.end());
  if (repeated == ids.end()) return std::nullopt;
  return *repeated;
}

template <class Item>
std::optional<std::string> DuplicateIn(std::span<const Item> items, const char* kind) {
  std::vector<decltype(Item::id)> ids;
  ids.reserve(items.size());
  for (const Item& item : items) ids.push_back(item.id);
  const auto repeated = RepeatedId(std::move(ids));
  if (!repeated) return std::nullopt;
  return std::string(kind) + " " + std::to_string(*repeated);
}

// The item of `items` that a template, bitmap, menu or cursor name names.
template <class Item>
const Item* ItemNamed(std::span<const Item> items, LPCWSTR name) {
  const int id = NumberFromName(name);
  if (id < 0) return nullptr;
  for (const Item& item : items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

void ReportRefused(const std::string& duplicate) {
  std::fprintf(stderr, "telequill: a resource script gives %s twice; its resources are refused\n",
               duplicate.c_str());
}

// An exported script with a duplicate is told about once, not at every lookup.
void ReportRefusedOnce(const ResourceScript* script, const std::string& duplicate) {
  static std::mutex mutex;
  static std::set<const ResourceScript*> told;
  std::lock_guard lock(mutex);
  if (told.insert(script).second) ReportRefused(duplicate);
}

// Template names compare without case, as Win32's resource names do.
bool SameName(const char16_t* a, const char16_t* b) { return tq::ui::EqualNoCase(a, b); }

// Named templates are told apart by name, the others by number.
std::optional<std::string> DuplicateDialog(std::span<const DialogTemplate> dialogs) {
  std::vector<DialogTemplate> numbered;
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    if (dialogs[i].name == nullptr) {
      numbered.push_back(dialogs[i]);
      continue;
    }
    for (std::size_t j = i + 1; j < dialogs.size(); ++j) {
      if (dialogs[j].name != nullptr && SameName(dialogs[i].name, dialogs[j].name)) {
        return "dialog " + tq::Utf16ToUtf8(dialogs[i].name);
      }
    }
  }
  return DuplicateIn(std::span<const DialogTemplate>(numbered), "dialog");
}

}  // namespace

GatheredScript::GatheredScript(std::initializer_list<ResourceScript> parts) {
  for (const ResourceScript& part : parts) {
    dialogs_.insert(dialogs_.end(), part.dialogs.begin(), part.dialogs.end());
    strings_.insert(strings_.end(), part.strings.begin(), part.strings.end());
    bitmaps_.insert(bitmaps_.end(), part.bitmaps.begin(), part.bitmaps.end());
    menus_.insert(menus_.end(), part.menus.begin(), part.menus.end());
    cursors_.insert(cursors_.end(), part.cursors.begin(), part.cursors.end());
  }
  script_ = ResourceScript{dialogs_, strings_, bitmaps_, menus_, cursors_};
}

std::optional<std::string> FirstDuplicate(const ResourceScript& script) {
  if (auto found = DuplicateDialog(script.dialogs)) return found;
  if (auto found = DuplicateIn(script.strings, "string")) return found;
  if (auto found = DuplicateIn(script.bitmaps, "bitmap")) return found;
  if (auto found = DuplicateIn(script.menus, "menu")) return found;
  return DuplicateIn(script.cursors, "cursor");
}

bool RegisterResources(HINSTANCE instance, const ResourceScript& script) {
  if (const auto duplicate = FirstDuplicate(script)) {
    ReportRefused(*duplicate);
    return false;
  }
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.scripts[instance] = &script;
  return true;
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
  const ResourceScript* script = reinterpret_cast<Lookup>(symbol)();
  if (script == nullptr) return nullptr;
  if (const auto duplicate = FirstDuplicate(*script)) {
    ReportRefusedOnce(script, *duplicate);
    return nullptr;
  }
  return script;
}

const DialogTemplate* FindDialog(HINSTANCE instance, LPCWSTR name) {
  const ResourceScript* script = FindResources(instance);
  if (script == nullptr || name == nullptr) return nullptr;
  if (IS_INTRESOURCE(name) || NumberFromName(name) >= 0) {
    for (const DialogTemplate& dialog : script->dialogs) {
      if (dialog.name == nullptr && dialog.id == NumberFromName(name)) return &dialog;
    }
    return nullptr;
  }
  for (const DialogTemplate& dialog : script->dialogs) {
    if (dialog.name != nullptr && SameName(dialog.name, name)) return &dialog;
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
  return script == nullptr ? nullptr : ItemNamed(script->bitmaps, name);
}

const MenuResource* FindMenu(HINSTANCE instance, LPCWSTR name) {
  const ResourceScript* script = FindResources(instance);
  return script == nullptr ? nullptr : ItemNamed(script->menus, name);
}

const CursorResource* FindCursor(HINSTANCE instance, LPCWSTR name) {
  const ResourceScript* script = FindResources(instance);
  return script == nullptr ? nullptr : ItemNamed(script->cursors, name);
}

// A bitmap handle is the address of its resource entry: resources live as
// long as their module, and DeleteBitmap has nothing to free.
const BitmapResource* BitmapData(HBITMAP bitmap) {
  return reinterpret_cast<const BitmapResource*>(bitmap);
}

}  // namespace tq::res
