// The up-down control: its range, increment and buddy; an arrow (or the
// buddy's Up and Down keys with UDS_ARROWKEYS) steps the buddy's number.
#include <algorithm>

#include "updown_control.h"
#include "win/updown.h"

namespace tq::ui {
namespace {

class UpDown final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override {
    switch (message) {
      case WM_CREATE:
        // UDS_AUTOBUDDY: the control made just before it.
        if ((self.style & UDS_AUTOBUDDY) && self.parent != nullptr && self.parent->children.size() >= 2) {
          buddy_ = self.parent->children[self.parent->children.size() - 2]->handle;
        }
        return 0;
      case UDM_SETBUDDY: {
        const HWND old = buddy_;
        buddy_ = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
      }
      case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(buddy_);
      case UDM_SETRANGE32:
        low_ = static_cast<int>(wParam);
        high_ = static_cast<int>(lParam);
        return 0;
      case UDM_GETRANGE32:
        if (wParam != 0) *reinterpret_cast<INT*>(wParam) = low_;
        if (lParam != 0) *reinterpret_cast<INT*>(lParam) = high_;
        return 0;
      case UDM_SETACCEL: {
        const auto* accels = reinterpret_cast<const UDACCEL*>(lParam);
        if (wParam == 0 || accels == nullptr || accels[0].nInc == 0) return FALSE;
        increment_ = static_cast<int>(accels[0].nInc);
        return TRUE;
      }
      case UDM_SETPOS32: {
        const int old = Position();
        Show(self, static_cast<int>(lParam));
        return old;
      }
      case UDM_GETPOS32: return Position();
      case WM_GETDLGCODE: return 0;
      default:
        *handled = false;
        return 0;
    }
  }

  HWND Buddy() const { return buddy_; }

  // The buddy's number, kept in the range (its low end when unreadable).
  int Position() const {
    BOOL read = FALSE;
    const int value = buddy_ != nullptr ? static_cast<int>(GetDlgItemInt(GetParent(buddy_), GetDlgCtrlID(buddy_), &read, TRUE)) : low_;
    return std::clamp(read ? value : low_, std::min(low_, high_), std::max(low_, high_));
  }

  void Step(Window& self, int steps) {
    const int low = std::min(low_, high_), high = std::max(low_, high_);
    int next = Position() + steps * increment_;
    if (self.style & UDS_WRAP) {
      if (next > high) next = low;
      if (next < low) next = high;
    }
    Show(self, std::clamp(next, low, high));
  }

 private:
  void Show(Window& self, int value) {
    if (buddy_ == nullptr || !(self.style & UDS_SETBUDDYINT) || value == Position()) return;
    SetDlgItemInt(GetParent(buddy_), GetDlgCtrlID(buddy_), static_cast<UINT>(value), TRUE);
  }

  HWND buddy_ = nullptr;
  int low_ = 0, high_ = 100;
  int increment_ = 1;
};

UpDown* AsUpDown(Window* window) { return window == nullptr ? nullptr : dynamic_cast<UpDown*>(window->control.get()); }

}  // namespace

std::unique_ptr<Control> MakeUpDown() { return std::make_unique<UpDown>(); }

Window* UpDownOfBuddy(Window& edit) {
  if (edit.parent == nullptr) return nullptr;
  for (Window* sibling : edit.parent->children) {
    UpDown* updown = AsUpDown(sibling);
    if (updown != nullptr && updown->Buddy() == edit.handle && (sibling->style & UDS_ARROWKEYS)) return sibling;
  }
  return nullptr;
}

void StepUpDown(Window& updown, int steps) {
  if (UpDown* control = AsUpDown(&updown)) control->Step(updown, steps);
}

bool SpinArrow(HWND handle, int steps, std::string* why) {
  Window* window = PeekWindowRecord(handle);
  if (AsUpDown(window) == nullptr) {
    if (why != nullptr) *why = "the control is not an up-down control";
    return false;
  }
  if (!IsWindowVisible(handle) || !IsWindowEnabled(handle)) {
    if (why != nullptr) *why = IsWindowVisible(handle) ? "the control is disabled" : "the control is hidden";
    return false;
  }
  StepUpDown(*window, steps);
  return true;
}

}  // namespace tq::ui
