// Small helpers over the controls of the plug-in's dialogs.
#pragma once

#include "win/types.h"

namespace tq::faxui {

// Enables or disables control `id` of `dialog`; nothing happens when the
// dialog has no such control.
void EnableControl(HWND dialog, int id, bool enable);

}  // namespace tq::faxui
