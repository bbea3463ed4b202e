// Buttons: push and default push buttons, check boxes and radio buttons,
// automatic ones changing their own state on a click, and group boxes.
#include "window.h"

namespace tq::ui {
namespace {

class Button final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override {
    switch (message) {
      case BM_GETCHECK: return checkable(self) ? check_ : BST_UNCHECKED;
      case BM_SETCHECK: return setCheck(self, static_cast<UINT>(wParam));
      case BM_GETSTATE: return check_ | (pushed_ ? BST_PUSHED : 0);
      case BM_SETSTATE: pushed_ = wParam != 0; return 0;
      case BM_SETSTYLE: return setStyle(self, static_cast<DWORD>(wParam));
      case BM_CLICK: return click(self);
      case BM_SETIMAGE: {
        const LRESULT old = image_;
        image_ = lParam;
        return old;
      }
      case BM_GETIMAGE: return image_;
      case WM_GETDLGCODE: return dialogCode(self);
      case WM_SETFOCUS:
        if (self.style & BS_NOTIFY) NotifyParent(self, BN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        if (self.style & BS_NOTIFY) NotifyParent(self, BN_KILLFOCUS);
        return 0;
      default:
        *handled = false;
        return 0;
    }
  }

 private:
  UINT check_ = BST_UNCHECKED;
  bool pushed_ = false;
  LRESULT image_ = 0;

  static DWORD type(const Window& self) { return self.style & BS_TYPEMASK; }

  static bool checkable(const Window& self) {
    switch (type(self)) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
      case BS_3STATE:
      case BS_AUTO3STATE:
        return true;
      default:
        return false;
    }
  }

  static bool radio(const Window& self) {
    return type(self) == BS_RADIOBUTTON || type(self) == BS_AUTORADIOBUTTON;
  }

  LRESULT setCheck(Window& self, UINT state) {
    if (!checkable(self)) return 0;
    // Only three-state boxes keep the indeterminate state.
    if (state == BST_INDETERMINATE && type(self) != BS_3STATE && type(self) != BS_AUTO3STATE) {
      state = BST_CHECKED;
    }
    if (state > BST_INDETERMINATE) state = BST_CHECKED;
    if (check_ != state) {
      check_ = state;
      Changed(self, Change::Check);
    }
    return 0;
  }

  static LRESULT setStyle(Window& self, DWORD style) {
    self.style = (self.style & ~static_cast<DWORD>(0xFFFF)) | (style & 0xFFFF);
    Changed(self, Change::Style);
    return 0;
  }

  static LRESULT dialogCode(const Window& self) {
    switch (type(self)) {
      case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
      case BS_GROUPBOX: return DLGC_STATIC;
      default: return DLGC_BUTTON;
    }
  }

  // An automatic radio button unchecks the other automatic radio buttons of
  // its group (from the WS_GROUP control before it to the next WS_GROUP).
  static void uncheckGroup(Window& self) {
    Window* dialog = self.parent;
    if (dialog == nullptr) return;
    const auto& items = dialog->children;
    int at = 0;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      if (items[i] == &self) at = i;
    }
    int start = at;
    while (start > 0 && (items[start]->style & WS_GROUP) == 0) --start;
    for (int i = start; i < static_cast<int>(items.size()); ++i) {
      if (i > start && (items[i]->style & WS_GROUP)) break;
      Window* other = items[i];
      if (other != &self && other->kind == WindowKind::Button &&
          (other->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        Dispatch(*other, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }

  // A click on a disabled button does nothing; otherwise the automatic
  // styles change state first, then the parent gets BN_CLICKED.
  LRESULT click(Window& self) {
    if (!self.Enabled() || !self.Visible()) return 0;
    switch (type(self)) {
      case BS_AUTOCHECKBOX: setCheck(self, check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
      case BS_AUTO3STATE: setCheck(self, (check_ + 1) % 3); break;
      case BS_AUTORADIOBUTTON:
        setCheck(self, BST_CHECKED);
        uncheckGroup(self);
        break;
      default: break;
    }
    if (type(self) == BS_GROUPBOX) return 0;
    NotifyParent(self, BN_CLICKED);
    return 0;
  }
};

}  // namespace

std::unique_ptr<Control> MakeButton() { return std::make_unique<Button>(); }

}  // namespace tq::ui
