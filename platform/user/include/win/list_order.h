// The order of sorted list and combo boxes (LBS_SORT, CBS_SORT): Win32's
// linguistic comparison without case, for code that must sort the same way.
#pragma once

#include <string>

namespace tq::ui {

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareListText(const std::u16string& a, const std::u16string& b);

}  // namespace tq::ui
