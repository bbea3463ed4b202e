// Message boxes of the plug-in's dialogs, owned by the dialog that raises
// them, and the plug-in's own strings.
#pragma once

#include <string>
#include <string_view>

#include "win/types.h"

namespace tq::faxui {

// MessageBoxW owned by `dialog`; the button pressed.
int ShowMessage(HWND dialog, std::u16string_view text, std::u16string_view caption, UINT type);

// A field's value refused: the error message, then the focus on `field`
// with, when `selectText`, its whole text selected for retyping. Returns 0
// so that a check can end with it.
int RefuseField(HWND dialog, std::u16string_view text, std::u16string_view caption, int field, bool selectText);

// String `id` of the plug-in's string table; empty when it is missing.
std::u16string PluginString(UINT id);

}  // namespace tq::faxui
