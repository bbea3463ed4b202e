// The library's two exports, by name and by ordinal: the library entry,
// which keeps the module handle, and the module information lines. The one
// place that learns the library's model from its build.
#include "common/build_model.h"
#include "common/module_info.h"
#include "library_model.h"
#include "win/export.h"
#include "win/kernel.h"

namespace {

constexpr DWORD kProcessAttach = 1;

// The library's one global: its own handle, as the loader gave it.
HINSTANCE theModule = nullptr;

}  // namespace

tq::Model tq::qlres::LibraryModel() { return tq::kBuildModel; }

TQ_EXPORT BOOL DllInitialize(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == kProcessAttach) theModule = instance;
  return TRUE;
}

TQ_EXPORT const char* const* ModuleInfo() { return tq::ModuleInfoLines(); }

TQ_EXPORT_ORDINALS({1, "DllInitialize"}, {2000, "ModuleInfo"})
