// The library's two exports, by name and by ordinal: the library entry,
// which keeps the module handle, and the module information lines.
#include "common/module_info.h"
#include "win/kernel.h"

#define QLRES_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr DWORD kProcessAttach = 1;

// The library's one global: its own handle, as the loader gave it.
HINSTANCE theModule = nullptr;

}  // namespace

QLRES_EXPORT BOOL DllInitialize(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == kProcessAttach) theModule = instance;
  return TRUE;
}

QLRES_EXPORT const char* const* ModuleInfo() { return tq::ModuleInfoLines(); }

TQ_EXPORT_ORDINALS({1, "DllInitialize"}, {2000, "ModuleInfo"})
