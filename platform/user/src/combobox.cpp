// The combo box as the dialogs use it: a drop-down list (CBS_DROPDOWNLIST)
// whose text is the selected item; CBS_SORT sorts as a list box does. Its
// list is a list box, as in Win32: the item messages go to it as their LB_
// counterparts, and the box's text follows the list's selection.
#include "combo_box.h"

#include "list_box.h"

namespace tq::ui {
namespace {

// The LB_ message a CB_ item message is; 0 for the box's own messages.
UINT ListMessage(UINT message) {
  switch (message) {
    case CB_ADDSTRING: return LB_ADDSTRING;
    case CB_INSERTSTRING: return LB_INSERTSTRING;
    case CB_DELETESTRING: return LB_DELETESTRING;
    case CB_GETCOUNT: return LB_GETCOUNT;
    case CB_GETLBTEXT: return LB_GETTEXT;
    case CB_GETLBTEXTLEN: return LB_GETTEXTLEN;
    case CB_GETITEMDATA: return LB_GETITEMDATA;
    case CB_SETCURSEL: return LB_SETCURSEL;
    case CB_GETCURSEL: return LB_GETCURSEL;
    case CB_FINDSTRING: return LB_FINDSTRING;
    case CB_FINDSTRINGEXACT: return LB_FINDSTRINGEXACT;
    case CB_SELECTSTRING: return LB_SELECTSTRING;
    default: return 0;
  }
}

class ComboBox final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override {
    if (const UINT listMessage = ListMessage(message)) return toList(self, listMessage, wParam, lParam);
    switch (message) {
      case WM_CREATE:
        self.text.clear();
        list_.SetSorted((self.style & CBS_SORT) != 0);
        return 0;
      case CB_RESETCONTENT:
        toList(self, LB_RESETCONTENT, 0, 0);
        return CB_OKAY;
      case CB_SETITEMDATA:
        // Unlike a list box's, -1 names no item.
        if (static_cast<INT_PTR>(wParam) == -1) return CB_ERR;
        return toList(self, LB_SETITEMDATA, wParam, lParam);
      case CB_LIMITTEXT: return TRUE;
      case CB_SHOWDROPDOWN: return TRUE;
      case CB_GETDROPPEDSTATE: return FALSE;
      case CB_SETITEMHEIGHT: return 0;
      case CB_GETITEMHEIGHT: return 13;
      case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
      case WM_SETFOCUS: NotifyParent(self, CBN_SETFOCUS); return 0;
      case WM_KILLFOCUS: NotifyParent(self, CBN_KILLFOCUS); return 0;
      case WM_SETTEXT:
        // A drop-down list shows only its items; an editable one takes text.
        if ((self.style & 3) == CBS_DROPDOWNLIST) return CB_ERR;
        *handled = false;
        return 0;
      default:
        *handled = false;
        return 0;
    }
  }

  void UserSelect(Window& self, int index) {
    toList(self, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    NotifyParent(self, CBN_SELCHANGE);
  }
  std::vector<std::u16string> Texts() { return list_.Texts(); }
  int Current() {
    const std::vector<int> selected = list_.Selected();
    return selected.empty() ? -1 : selected.front();
  }
  int Count() const { return list_.Count(); }

 private:
  ListBox list_;

  // The list's answer; the box's text then shows the current item.
  LRESULT toList(Window& self, UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = true;
    const LRESULT result = list_.Message(self, message, wParam, lParam, &handled);
    const int current = Current();
    std::u16string text = list_.TextOf(current);
    if (text != self.text) {
      self.text = std::move(text);
      Changed(self, Change::Text);
    }
    return result;
  }
};

ComboBox* AsCombo(Window& window) { return dynamic_cast<ComboBox*>(window.control.get()); }

}  // namespace

std::unique_ptr<Control> MakeComboBox() { return std::make_unique<ComboBox>(); }

bool ComboUserSelect(Window& window, int index) {
  ComboBox* combo = AsCombo(window);
  if (combo == nullptr || index < 0 || index >= combo->Count()) return false;
  combo->UserSelect(window, index);
  return true;
}

std::vector<std::u16string> ComboTexts(Window& window) {
  ComboBox* combo = AsCombo(window);
  return combo == nullptr ? std::vector<std::u16string>() : combo->Texts();
}

int ComboCurrent(Window& window) {
  ComboBox* combo = AsCombo(window);
  return combo == nullptr ? -1 : combo->Current();
}

}  // namespace tq::ui
