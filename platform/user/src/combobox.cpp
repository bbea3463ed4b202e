// The combo box as the dialogs use it: a drop-down list (CBS_DROPDOWNLIST)
// whose text is the selected item; CBS_SORT sorts as a list box does.
#include "item_list.h"
#include "window.h"

namespace tq::ui {
namespace {

class ComboBox final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override {
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
      case WM_CREATE: self.text.clear(); return 0;
      case CB_ADDSTRING: return addString(self, reinterpret_cast<LPCWSTR>(lParam));
      case CB_INSERTSTRING: return insertString(self, index, reinterpret_cast<LPCWSTR>(lParam));
      case CB_DELETESTRING: return deleteString(self, index);
      case CB_RESETCONTENT: return resetContent(self);
      case CB_GETCOUNT: return items_.Count();
      case CB_GETLBTEXT: return getText(index, reinterpret_cast<LPWSTR>(lParam));
      case CB_GETLBTEXTLEN: return valid(index) ? static_cast<LRESULT>(items_.At(index).text.size()) : CB_ERR;
      case CB_GETITEMDATA: return valid(index) ? items_.At(index).data : CB_ERR;
      case CB_SETITEMDATA:
        if (!valid(index)) return CB_ERR;
        items_.At(index).data = lParam;
        return TRUE;
      case CB_SETCURSEL: return setCurSel(self, index);
      case CB_GETCURSEL: return current_ < 0 ? CB_ERR : current_;
      case CB_FINDSTRING: return find(index, reinterpret_cast<LPCWSTR>(lParam), false);
      case CB_FINDSTRINGEXACT: return find(index, reinterpret_cast<LPCWSTR>(lParam), true);
      case CB_SELECTSTRING: {
        const LRESULT found = find(index, reinterpret_cast<LPCWSTR>(lParam), false);
        if (found != CB_ERR) setCurSel(self, static_cast<int>(found));
        return found;
      }
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
    if (!valid(index)) return;
    setCurSel(self, index);
    NotifyParent(self, CBN_SELCHANGE);
  }
  std::vector<std::u16string> Texts() {
    std::vector<std::u16string> texts;
    items_.ForEach([&](int, Item& item) { texts.push_back(item.text); });
    return texts;
  }
  int Current() const { return current_; }
  int Count() const { return items_.Count(); }

 private:
  ItemList items_;
  int current_ = -1;

  bool valid(int index) const { return index >= 0 && index < items_.Count(); }

  LRESULT addString(Window& self, LPCWSTR text) {
    std::u16string line = FromWide(text);
    const int at = (self.style & CBS_SORT) ? items_.SortedPosition(line) : items_.Count();
    return insertAt(self, at, std::move(line));
  }

  LRESULT insertString(Window& self, int index, LPCWSTR text) {
    if (index == -1) index = items_.Count();
    if (index < 0 || index > items_.Count()) return CB_ERR;
    return insertAt(self, index, FromWide(text));
  }

  LRESULT insertAt(Window& self, int index, std::u16string text) {
    items_.Insert(index, Item{std::move(text), 0, false});
    if (current_ >= index) ++current_;
    Changed(self, Change::Items);
    return index;
  }

  LRESULT deleteString(Window& self, int index) {
    if (!valid(index)) return CB_ERR;
    items_.Erase(index);
    if (current_ == index) {
      current_ = -1;
      self.text.clear();
    } else if (current_ > index) {
      --current_;
    }
    Changed(self, Change::Items);
    return items_.Count();
  }

  LRESULT resetContent(Window& self) {
    items_.Clear();
    current_ = -1;
    self.text.clear();
    Changed(self, Change::Items);
    return CB_OKAY;
  }

  LRESULT getText(int index, LPWSTR buffer) const {
    const int length = items_.CopyText(index, buffer);
    return length < 0 ? CB_ERR : length;
  }

  // -1 empties the selection and the text, and answers CB_ERR.
  LRESULT setCurSel(Window& self, int index) {
    if (index != -1 && !valid(index)) return CB_ERR;
    current_ = index;
    self.text = index < 0 ? std::u16string() : items_.At(index).text;
    Changed(self, Change::Selection);
    return index < 0 ? CB_ERR : index;
  }

  LRESULT find(int start, LPCWSTR text, bool exact) const {
    const int found = items_.FindText(start, FromWide(text), exact);
    return found < 0 ? CB_ERR : found;
  }
};

}  // namespace

std::unique_ptr<Control> MakeComboBox() { return std::make_unique<ComboBox>(); }

// The input calls reach the combo box through these.
bool ComboUserSelect(Window& window, int index) {
  auto* combo = dynamic_cast<ComboBox*>(window.control.get());
  if (combo == nullptr || index < 0 || index >= combo->Count()) return false;
  combo->UserSelect(window, index);
  return true;
}

std::vector<std::u16string> ComboTexts(Window& window) {
  auto* combo = dynamic_cast<ComboBox*>(window.control.get());
  return combo == nullptr ? std::vector<std::u16string>() : combo->Texts();
}

int ComboCurrent(Window& window) {
  auto* combo = dynamic_cast<ComboBox*>(window.control.get());
  return combo == nullptr ? -1 : combo->Current();
}

}  // namespace tq::ui
