// The module information that the libraries loaded by the host driver export
// through `ModuleInfo`: seven lines of text followed by a null pointer.
#pragma once

namespace tq {

inline constexpr int kModuleInfoLineCount = 7;

// The first line names the module kind, the second the toolkit's version
// and the build's time and date, the other five the toolkit's notice. The
// array is constant and lives as long as the module.
const char* const* ModuleInfoLines();

}  // namespace tq
