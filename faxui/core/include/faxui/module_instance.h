// The Fax UI plug-in's module instance handle, stored at process attach;
// every dialog, string and bitmap of the plug-in is loaded from it.
#pragma once

#include "win/types.h"

namespace tq::faxui {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

}  // namespace tq::faxui
