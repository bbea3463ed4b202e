// The plug-in's help file: its name is string 700 of the plug-in's string
// table, and the file lies beside the plug-in.
#pragma once

#include "faxui/resource_ids.h"
#include "win/types.h"

namespace tq::faxui {

inline constexpr int kHelpFilePathSize = 261 + 21;  // module path and name, with the terminator

// The help file of `instance`: its module path with the file name replaced
// by string 700, written to `path` (kHelpFilePathSize characters). False
// when the string is empty or missing or the module path is unknown.
bool FindHelpFile(HINSTANCE instance, char16_t* path);

// The help file of this plug-in (its module instance), worked out once and
// kept; null when there is none.
LPCWSTR ModuleHelpFile();

}  // namespace tq::faxui
