// Small helpers over the controls of the plug-in's dialogs. Each does
// nothing when the dialog has no such control.
#pragma once

#include "win/types.h"

namespace tq::faxui {

void EnableControl(HWND dialog, int id, bool enable);
void ShowControl(HWND dialog, int id, bool show);
// Shown and enabled, or hidden and disabled: a group that only one of two
// modes uses.
void ShowAndEnable(HWND dialog, int id, bool on);
// The number of characters a person may type into edit `id`.
void LimitText(HWND dialog, int id, int limit);
void FocusControl(HWND dialog, int id);

}  // namespace tq::faxui
