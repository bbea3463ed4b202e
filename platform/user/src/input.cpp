// A person's input, shared by the faces: each call does what the mouse or
// keyboard would, through the same messages.
#include <algorithm>

#include "combo_box.h"
#include "dialog_keys.h"
#include "list_box.h"
#include "property_sheet.h"
#include "updown_control.h"
#include "window.h"
#include "win/user_input.h"

namespace tq::ui {

namespace {

const char* KindName(WindowKind kind) {
  switch (kind) {
    case WindowKind::Edit: return "an edit";
    case WindowKind::ListBox: return "a list box";
    case WindowKind::ComboBox: return "a combo box";
    case WindowKind::Button: return "a button";
    case WindowKind::Static: return "a static text";
    default: return "a dialog";
  }
}

// The control, if it can take input of the given kinds; else the reason.
Window* Usable(HWND handle, std::initializer_list<WindowKind> kinds, std::string* why) {
  Window* window = PeekWindowRecord(handle);
  std::string reason;
  if (window == nullptr) {
    reason = "there is no such control";
  } else if (std::find(kinds.begin(), kinds.end(), window->kind) == kinds.end()) {
    reason = std::string("the control is ") + KindName(window->kind);
  } else if (!IsWindowVisible(handle)) {
    reason = "the control is hidden";
  } else if (!window->Enabled() || (DialogOf(*window) != nullptr && !DialogOf(*window)->Enabled())) {
    reason = "the control is disabled";
  } else {
    return window;
  }
  if (why != nullptr) *why = reason;
  return nullptr;
}

ListBox* AsListBox(Window& window) { return dynamic_cast<ListBox*>(window.control.get()); }

}  // namespace

bool TypeText(HWND edit, const std::u16string& text, std::string* why) {
  Window* window = Usable(edit, {WindowKind::Edit}, why);
  if (window == nullptr) return false;
  FocusWindow(window);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (char16_t c : text) {
    Window* still = PeekWindowRecord(edit);
    if (still == nullptr) break;
    Dispatch(*still, WM_CHAR, c, 1);
  }
  return true;
}

bool PasteText(HWND edit, const std::u16string& text, std::string* why) {
  Window* window = Usable(edit, {WindowKind::Edit}, why);
  if (window == nullptr) return false;
  FocusWindow(window);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  // A read-only edit refuses a paste as it refuses typing.
  if (Window* still = PeekWindowRecord(edit); still != nullptr && !(still->style & ES_READONLY)) {
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  return true;
}

bool ClickButton(HWND button, std::string* why) {
  Window* window = Usable(button, {WindowKind::Button}, why);
  if (window == nullptr) return false;
  FocusWindow(window);
  if (Window* still = PeekWindowRecord(button)) Dispatch(*still, BM_CLICK, 0, 0);
  return true;
}

bool SelectItems(HWND list, const std::vector<int>& items, std::string* why) {
  Window* window = Usable(list, {WindowKind::ListBox, WindowKind::ComboBox}, why);
  if (window == nullptr) return false;
  if (window->kind == WindowKind::ComboBox) {
    if (items.size() != 1 || !ComboUserSelect(*window, items.front())) {
      if (why != nullptr) *why = "a combo box takes exactly one existing item";
      return false;
    }
    return true;
  }
  ListBox* box = AsListBox(*window);
  for (int item : items) {
    if (item < 0 || item >= box->Count()) {
      if (why != nullptr) *why = "item " + std::to_string(item) + " is past the end of the list (" +
                                 std::to_string(box->Count()) + " items)";
      return false;
    }
  }
  if (items.size() > 1 && !box->Multiple()) {
    if (why != nullptr) *why = "the list box allows one selected item only";
    return false;
  }
  FocusWindow(window);
  if (Window* still = PeekWindowRecord(list)) AsListBox(*still)->UserSelect(*still, items);
  return true;
}

bool DoubleClickItem(HWND list, int item, std::string* why) {
  Window* window = Usable(list, {WindowKind::ListBox}, why);
  if (window == nullptr) return false;
  ListBox* box = AsListBox(*window);
  if (item < 0 || item >= box->Count()) {
    if (why != nullptr) *why = "item " + std::to_string(item) + " is past the end of the list";
    return false;
  }
  FocusWindow(window);
  if (Window* still = PeekWindowRecord(list)) AsListBox(*still)->UserDoubleClick(*still, item);
  return true;
}

bool PressKey(HWND control, int key, std::string* why) {
  Window* window = PeekWindowRecord(control);
  if (window == nullptr) {
    if (why != nullptr) *why = "there is no such control";
    return false;
  }
  if (!window->IsDialogLike()) {
    window = Usable(control, {WindowKind::Edit, WindowKind::ListBox, WindowKind::ComboBox,
                              WindowKind::Button, WindowKind::Static}, why);
    if (window == nullptr) return false;
    FocusWindow(window);
  }
  // Enter and Escape belong to the dialog manager unless the control wants
  // every key; the dialog is the modal window (a sheet for its pages).
  Window* dialog = window->IsDialogLike() ? window : DialogOf(*window);
  while (dialog != nullptr && dialog->parent != nullptr && dialog->parent->IsDialogLike()) dialog = dialog->parent;
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  // A sheet changes pages before any control sees the key.
  if (dialog != nullptr && SheetKey(*dialog, key, shift, ctrl)) return true;
  const LRESULT code = window->IsDialogLike() ? 0 : Dispatch(*window, WM_GETDLGCODE, key, 0);
  if (dialog != nullptr && key == VK_TAB && !(code & DLGC_WANTTAB)) {
    TabToNext(*dialog, shift);
    return true;
  }
  if (dialog != nullptr && key == VK_RETURN && !(code & DLGC_WANTALLKEYS)) {
    // A focused push button is the one Enter presses.
    if (window->kind == WindowKind::Button && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
      Dispatch(*window, BM_CLICK, 0, 0);
      return true;
    }
    const LRESULT defId = Dispatch(*dialog, DM_GETDEFID, 0, 0);
    const int id = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
    HWND button = FindControlForInput(dialog->handle, id);
    if (button == nullptr || IsWindowEnabled(button)) {
      Dispatch(*dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    return true;
  }
  if (dialog != nullptr && key == VK_ESCAPE) {
    HWND cancel = FindControlForInput(dialog->handle, IDCANCEL);
    Dispatch(*dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    return true;
  }
  // Up and Down in the buddy of an up-down control step its number.
  if ((key == VK_UP || key == VK_DOWN) && window->kind == WindowKind::Edit) {
    if (Window* updown = UpDownOfBuddy(*window)) {
      StepUpDown(*updown, key == VK_UP ? 1 : -1);
      return true;
    }
  }
  Dispatch(*window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
  if (key == VK_F1) {
    if (Window* still = PeekWindowRecord(control)) {
      HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, still->id, control, 0, {0, 0}};
      Dispatch(*still, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  return true;
}

bool ShowSheetPage(HWND sheet, int templateId, std::string* why) {
  Window* window = PeekWindowRecord(sheet);
  if (window == nullptr || window->kind != WindowKind::Sheet) {
    if (why != nullptr) *why = "the active window is not a property sheet";
    return false;
  }
  if (!SheetHasTemplate(*window, templateId)) {
    if (why != nullptr) *why = "the sheet has no page made from template " + std::to_string(templateId);
    return false;
  }
  // A page that refuses to be left (PSN_KILLACTIVE) keeps the sheet where
  // it is, as for a person's click on the tab.
  SheetShowTemplate(*window, templateId);
  return true;
}

bool ShowSheetPageAt(HWND sheet, int index, std::string* why) {
  Window* window = PeekWindowRecord(sheet);
  if (window == nullptr || window->kind != WindowKind::Sheet) {
    if (why != nullptr) *why = "the active window is not a property sheet";
    return false;
  }
  if (index < 0 || index >= static_cast<int>(window->sheet->pages.size())) {
    if (why != nullptr) *why = "the sheet has no page " + std::to_string(index);
    return false;
  }
  SheetShowIndex(*window, index);
  return true;
}

bool PressMnemonic(HWND modal, char16_t letter, std::string* why) {
  Window* window = PeekWindowRecord(modal);
  if (window == nullptr || !window->IsDialogLike()) {
    if (why != nullptr) *why = "there is no dialog to take the key";
    return false;
  }
  Mnemonic(*window, letter);
  return true;
}

HWND ActiveModalWindow() {
  const auto& stack = ModalStack();
  return stack.empty() ? nullptr : stack.back();
}

HWND ShownSheetPage(HWND sheet) {
  Window* window = PeekWindowRecord(sheet);
  return window == nullptr || window->kind != WindowKind::Sheet ? nullptr : SheetCurrentPage(*window);
}

HWND FindControlForInput(HWND modal, int id) {
  Window* window = PeekWindowRecord(modal);
  if (window == nullptr) return nullptr;
  for (Window* child : window->children) {
    if (child->id == id && !child->IsDialogLike()) return child->handle;
  }
  if (window->kind == WindowKind::Sheet) {
    if (Window* page = PeekWindowRecord(SheetCurrentPage(*window))) {
      for (Window* child : page->children) {
        if (child->id == id) return child->handle;
      }
    }
  }
  return nullptr;
}

int TemplateId(HWND handle) {
  Window* window = PeekWindowRecord(handle);
  return window == nullptr ? 0 : window->templateId;
}

std::vector<std::u16string> ItemTexts(HWND list) {
  Window* window = PeekWindowRecord(list);
  if (window == nullptr) return {};
  if (window->kind == WindowKind::ComboBox) return ComboTexts(*window);
  ListBox* box = window->kind == WindowKind::ListBox ? AsListBox(*window) : nullptr;
  return box == nullptr ? std::vector<std::u16string>() : box->Texts();
}

std::vector<int> ListTabStops(HWND list) {
  Window* window = PeekWindowRecord(list);
  ListBox* box = window != nullptr && window->kind == WindowKind::ListBox ? AsListBox(*window) : nullptr;
  if (box == nullptr || !(window->style & LBS_USETABSTOPS)) return {};
  return box->TabStops();
}

std::vector<int> SelectedItems(HWND list) {
  Window* window = PeekWindowRecord(list);
  if (window == nullptr) return {};
  if (window->kind == WindowKind::ComboBox) {
    const int current = ComboCurrent(*window);
    return current < 0 ? std::vector<int>() : std::vector<int>{current};
  }
  ListBox* box = window->kind == WindowKind::ListBox ? AsListBox(*window) : nullptr;
  return box == nullptr ? std::vector<int>() : box->Selected();
}

}  // namespace tq::ui
