// The dialog manager's keyboard, shared by the input calls: Tab along the
// tab stops and mnemonics, in a dialog or a property sheet with its page.
#pragma once

#include <vector>

#include "window.h"

namespace tq::ui {

// The tab stops that can take the focus, in order: a dialog's controls; a
// sheet's shown page's, then the sheet's buttons and its tab row.
std::vector<HWND> TabRound(Window& modal);
// Tab (or Shift+Tab): the focus goes to the next (previous) tab stop.
void TabToNext(Window& modal, bool back);
// Alt+letter (see PressMnemonic); false when no control carries it.
bool Mnemonic(Window& modal, char16_t letter);

}  // namespace tq::ui
