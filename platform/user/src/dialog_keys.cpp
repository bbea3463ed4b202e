// The dialog manager's keyboard: Tab along the tab stops, and mnemonics
// (Alt+letter). A property sheet and its shown page count as one window:
// the page's controls first, then the sheet's buttons and its tab row.
#include <cwctype>

#include "dialog_keys.h"
#include "property_sheet.h"

namespace tq::ui {

namespace {

bool Reachable(const Window& window) {
  for (const Window* at = &window; at != nullptr && !at->IsDialogLike(); at = at->parent) {
    if (!at->Visible() || !at->Enabled()) return false;
  }
  return true;
}

bool IsPage(const Window& window) { return window.kind == WindowKind::Dialog && window.parent != nullptr; }

// The controls of the modal window in dialog order.
std::vector<Window*> Controls(Window& modal) {
  std::vector<Window*> controls;
  if (modal.kind == WindowKind::Sheet) {
    if (Window* page = PeekWindowRecord(SheetCurrentPage(modal))) {
      for (Window* child : page->children) controls.push_back(child);
    }
  }
  for (Window* child : modal.children) {
    if (!IsPage(*child)) controls.push_back(child);
  }
  return controls;
}

bool IsLabel(const Window& window) {
  if (window.kind == WindowKind::Static) return window.id != IDC_PROPSHEET_TABS;
  return window.kind == WindowKind::Button && (window.style & BS_TYPEMASK) == BS_GROUPBOX;
}

// The letter a text marks with '&' ("&&" is a plain '&'); 0 for none.
char16_t MarkedLetter(const Window& window) {
  if (window.kind != WindowKind::Button && window.kind != WindowKind::Static) return 0;
  if (window.kind == WindowKind::Static && (window.style & SS_NOPREFIX)) return 0;
  const std::u16string& text = window.text;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;
  }
  return 0;
}

char16_t Folded(char16_t c) { return static_cast<char16_t>(std::towlower(static_cast<wint_t>(c))); }

void MoveFocus(HWND target) {
  SendMessageW(GetParent(target), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

// The control a label hands the focus to: the next one that can take it.
Window* AfterLabel(const std::vector<Window*>& controls, size_t label) {
  for (size_t i = label + 1; i < controls.size(); ++i) {
    Window* candidate = controls[i];
    if (IsLabel(*candidate)) continue;
    return Reachable(*candidate) ? candidate : nullptr;
  }
  return nullptr;
}

}  // namespace

std::vector<HWND> TabRound(Window& modal) {
  std::vector<HWND> round;
  for (Window* control : Controls(modal)) {
    if ((control->style & WS_TABSTOP) && Reachable(*control)) round.push_back(control->handle);
  }
  return round;
}

void TabToNext(Window& modal, bool back) {
  const std::vector<HWND> round = TabRound(modal);
  if (round.empty()) return;
  const HWND focus = FocusedWindow();
  const int count = static_cast<int>(round.size());
  int at = back ? 0 : -1;
  for (int i = 0; i < count; ++i) {
    if (round[static_cast<size_t>(i)] == focus) at = i;
  }
  MoveFocus(round[static_cast<size_t>((at + (back ? count - 1 : 1)) % count)]);
}

bool Mnemonic(Window& modal, char16_t letter) {
  const std::vector<Window*> controls = Controls(modal);
  const HWND focus = FocusedWindow();
  size_t start = controls.size();
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i]->handle == focus) start = i;
  }
  const char16_t wanted = Folded(letter);
  std::vector<size_t> matches;  // from the control after the focus, round
  for (size_t step = 1; step <= controls.size(); ++step) {
    const size_t i = (start + step) % controls.size();
    const Window& control = *controls[i];
    if (MarkedLetter(control) == 0 || Folded(MarkedLetter(control)) != wanted) continue;
    if (IsLabel(control) ? AfterLabel(controls, i) != nullptr : Reachable(control)) matches.push_back(i);
  }
  if (matches.empty()) {
    MessageBeep(MB_OK);
    return false;
  }
  Window* first = controls[matches.front()];
  if (IsLabel(*first)) {
    MoveFocus(AfterLabel(controls, matches.front())->handle);
    return true;
  }
  const HWND button = first->handle;
  MoveFocus(button);
  if (matches.size() == 1) {
    if (Window* still = PeekWindowRecord(button)) Dispatch(*still, BM_CLICK, 0, 0);
  }
  return true;
}

}  // namespace tq::ui
