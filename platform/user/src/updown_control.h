// The up-down control's class, for the dialog manager and the input calls.
#pragma once

#include "window.h"

namespace tq::ui {

std::unique_ptr<Control> MakeUpDown();
// The up-down control with UDS_ARROWKEYS whose buddy is `edit`, if any.
Window* UpDownOfBuddy(Window& edit);
// Steps the buddy's number by `steps` increments.
void StepUpDown(Window& updown, int steps);

}  // namespace tq::ui
