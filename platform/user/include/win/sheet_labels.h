// The label a property sheet's OK button takes when a page turns Cancel
// into Close (PSM_CANCELTOCLOSE). A host that labels the sheet's buttons
// from its own strings gives this one too; without it the layer's own
// text is used.
#pragma once

#include <string>

#include "win/user.h"

namespace tq::ui {

void SetSheetCloseText(HWND sheet, std::u16string text);

}  // namespace tq::ui
