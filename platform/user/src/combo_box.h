// The combo box's calls for a person's input (input.cpp): its items, its
// current item and a choice made in its drop-down list.
#pragma once

#include <string>
#include <vector>

#include "window.h"

namespace tq::ui {

// Chooses item `index` as a click in the drop-down list does (CBN_SELCHANGE
// to the parent); false for a window that is no combo box or a bad index.
bool ComboUserSelect(Window& window, int index);
std::vector<std::u16string> ComboTexts(Window& window);
// The current item, -1 for none or a window that is no combo box.
int ComboCurrent(Window& window);

}  // namespace tq::ui
