// The registry calls over the hive files. An open key is a heap object that
// names its hive and path; the predefined roots are the hives themselves.
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "hive_store.h"

namespace tq::registry {
namespace {

struct OpenKey {
  HiveId hive;
  std::u16string path;
  REGSAM access;
};

std::mutex keysMutex;
std::unordered_set<OpenKey*> openKeys;

// The hive, path and access a handle stands for; false for a bad handle.
bool Resolve(HKEY key, OpenKey& out) {
  auto root = reinterpret_cast<ULONG_PTR>(key);
  if (root >= 0x80000000u && root <= 0x80000003u) {
    out = OpenKey{static_cast<HiveId>(root - 0x80000000u), u"", KEY_ALL_ACCESS};
    return true;
  }
  std::lock_guard lock(keysMutex);
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (openKeys.count(open) == 0) return false;
  out = *open;
  return true;
}

LONG NewHandle(const OpenKey& key, PHKEY result) {
  auto* open = new (std::nothrow) OpenKey(key);
  if (open == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  std::lock_guard lock(keysMutex);
  openKeys.insert(open);
  *result = reinterpret_cast<HKEY>(open);
  return ERROR_SUCCESS;
}

std::u16string NameOf(LPCWSTR name) { return name != nullptr ? std::u16string(name) : std::u16string(); }

// The key an open handle names, if it still exists; the root always does.
Key* KeyIn(Hive& hive, const std::u16string& path) {
  if (path.empty()) {
    Key& root = hive.keys[u""];
    return &root;
  }
  auto found = hive.keys.find(Fold(path));
  return found != hive.keys.end() ? &found->second : nullptr;
}

}  // namespace
}  // namespace tq::registry

using namespace tq::registry;

extern "C" LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD /*options*/, REGSAM access, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  OpenKey base;
  if (!Resolve(key, base)) return ERROR_INVALID_HANDLE;
  Hive hive;
  if (DWORD error = LoadHive(base.hive, hive); error != ERROR_SUCCESS) return static_cast<LONG>(error);
  std::u16string path = JoinPath(base.path, NameOf(subKey));
  if (!path.empty() && hive.keys.count(Fold(path)) == 0) return ERROR_FILE_NOT_FOUND;
  return NewHandle(OpenKey{base.hive, path, access}, result);
}

extern "C" LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD /*reserved*/, LPWSTR /*className*/,
                                DWORD /*options*/, REGSAM access, void* /*security*/, PHKEY result,
                                LPDWORD disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  OpenKey base;
  if (!Resolve(key, base)) return ERROR_INVALID_HANDLE;
  std::u16string path = JoinPath(base.path, NameOf(subKey));
  // Key names are lines of the hive file; a control character would break it.
  for (char16_t c : path) {
    if (c < 0x20) return ERROR_INVALID_PARAMETER;
  }
  bool created = false;
  DWORD error = ChangeHive(base.hive, [&](Hive& hive, bool& changed) -> DWORD {
    if (!base.path.empty() && hive.keys.count(Fold(base.path)) == 0) return ERROR_KEY_DELETED;
    for (size_t end = 0; end != std::u16string::npos && !path.empty();) {
      end = path.find(u'\\', end + 1);
      std::u16string prefix = path.substr(0, end);
      Key& entry = hive.keys[Fold(prefix)];
      if (entry.path.empty()) {
        entry.path = prefix;
        changed = created = true;
      }
    }
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS) return static_cast<LONG>(error);
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return NewHandle(OpenKey{base.hive, path, access}, result);
}

extern "C" LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD /*reserved*/, LPDWORD type, LPBYTE data,
                                 LPDWORD dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  OpenKey open;
  if (!Resolve(key, open)) return ERROR_INVALID_HANDLE;
  if ((open.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  Hive hive;
  if (DWORD error = LoadHive(open.hive, hive); error != ERROR_SUCCESS) return static_cast<LONG>(error);
  Key* found = KeyIn(hive, open.path);
  if (found == nullptr) return ERROR_KEY_DELETED;
  Value* value = found->Find(NameOf(name));
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->type;
  auto size = static_cast<DWORD>(value->data.size());
  if (data == nullptr) {
    if (dataSize != nullptr) *dataSize = size;
    return ERROR_SUCCESS;
  }
  if (*dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, value->data.data(), size);
  *dataSize = size;
  return ERROR_SUCCESS;
}

extern "C" LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD /*reserved*/, DWORD type, const BYTE* data,
                               DWORD dataSize) {
  if (data == nullptr && dataSize > 0) return ERROR_INVALID_PARAMETER;
  OpenKey open;
  if (!Resolve(key, open)) return ERROR_INVALID_HANDLE;
  if ((open.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  Value value{NameOf(name), type, std::string(reinterpret_cast<const char*>(data), data != nullptr ? dataSize : 0)};
  return static_cast<LONG>(ChangeHive(open.hive, [&](Hive& hive, bool& changed) -> DWORD {
    Key* found = KeyIn(hive, open.path);
    if (found == nullptr) return ERROR_KEY_DELETED;
    if (Value* existing = found->Find(value.name)) {
      *existing = value;
    } else {
      found->values.push_back(value);
    }
    changed = true;
    return ERROR_SUCCESS;
  }));
}

extern "C" LONG RegDeleteValueW(HKEY key, LPCWSTR name) {
  OpenKey open;
  if (!Resolve(key, open)) return ERROR_INVALID_HANDLE;
  if ((open.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  std::u16string valueName = NameOf(name);
  return static_cast<LONG>(ChangeHive(open.hive, [&](Hive& hive, bool& changed) -> DWORD {
    Key* found = KeyIn(hive, open.path);
    if (found == nullptr) return ERROR_KEY_DELETED;
    for (auto it = found->values.begin(); it != found->values.end(); ++it) {
      if (SameName(it->name, valueName)) {
        found->values.erase(it);
        changed = true;
        return ERROR_SUCCESS;
      }
    }
    return ERROR_FILE_NOT_FOUND;
  }));
}

extern "C" LONG RegCloseKey(HKEY key) {
  auto root = reinterpret_cast<ULONG_PTR>(key);
  if (root >= 0x80000000u && root <= 0x80000003u) return ERROR_SUCCESS;
  std::lock_guard lock(keysMutex);
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (openKeys.erase(open) == 0) return ERROR_INVALID_HANDLE;
  delete open;
  return ERROR_SUCCESS;
}
