#include "faxui/help_file.h"

#include <mutex>

#include "faxui/module_instance.h"
#include "win/kernel.h"
#include "win/resource.h"

namespace tq::faxui {

namespace {

constexpr int kNameSize = 20 + 1;
constexpr DWORD kModulePathSize = 261;
static_assert(kModulePathSize + kNameSize <= kHelpFilePathSize);

struct KeptHelpFile {
  std::once_flag once;
  char16_t path[kHelpFilePathSize] = {};
  bool found = false;
};

}  // namespace

bool FindHelpFile(HINSTANCE instance, char16_t* path) {
  // The string as LoadStringW would give it into a 21-character buffer:
  // at most 20 characters.
  const res::StringResource* string = res::FindString(instance, kHelpFileNameString);
  if (string == nullptr || string->text == nullptr || string->text[0] == u'\0') return false;
  char16_t name[kNameSize] = {};
  int nameLength = 0;
  while (nameLength < kNameSize - 1 && string->text[nameLength] != u'\0') {
    name[nameLength] = string->text[nameLength];
    ++nameLength;
  }

  const DWORD length = GetModuleFileNameW(instance, path, kModulePathSize);
  if (length == 0 || length >= kModulePathSize) return false;  // a cut path would name another folder
  // The file name starts after the last separator; the layer takes '/' and
  // '\' alike. With none, the name alone is the result.
  DWORD start = 0;
  for (DWORD i = 0; i < length; ++i) {
    if (path[i] == u'\\' || path[i] == u'/') start = i + 1;
  }
  for (int i = 0; i <= nameLength; ++i) path[start + static_cast<DWORD>(i)] = name[i];
  return true;
}

LPCWSTR ModuleHelpFile() {
  static KeptHelpFile kept;
  std::call_once(kept.once, [] { kept.found = FindHelpFile(ModuleInstance(), kept.path); });
  return kept.found ? kept.path : nullptr;
}

}  // namespace tq::faxui
