// The list box: sorted (Win32's case-insensitive order) or in insertion
// order, single or extended/multiple selection, item data, the searches and
// the keyboard hand-off to the parent (WM_VKEYTOITEM).
#include "list_box.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tq::ui {

LRESULT ListBox::Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
  switch (message) {
    case WM_CREATE:
      self.text.clear();
      multi_ = multiple(self);
      sorted_ = (self.style & LBS_SORT) != 0;
      return 0;
    // A list that finds no memory for a line answers LB_ERRSPACE, as
    // Win32's does, and stays as it was.
    case LB_ADDSTRING:
      try {
        return addString(self, reinterpret_cast<LPCWSTR>(lParam));
      } catch (const std::bad_alloc&) {
        return LB_ERRSPACE;
      }
    case LB_INSERTSTRING:
      try {
        return insertString(self, index, reinterpret_cast<LPCWSTR>(lParam));
      } catch (const std::bad_alloc&) {
        return LB_ERRSPACE;
      }
    case LB_DELETESTRING: return deleteString(self, index);
    case LB_RESETCONTENT: return resetContent(self);
    case LB_SETCOUNT:
      try {
        return setCount(self, index);
      } catch (const std::bad_alloc&) {
        return LB_ERRSPACE;
      }
    case LB_GETCOUNT: return items_.Count();
    case LB_GETTEXT: return getText(index, reinterpret_cast<LPWSTR>(lParam));
    case LB_GETTEXTLEN:
      if (!valid(index)) return LB_ERR;
      return maker_ ? static_cast<LRESULT>(madeLine(index).size()) : items_.TextLength(index);
    case LB_GETITEMDATA: return valid(index) ? items_.Data(index) : LB_ERR;
    case LB_SETITEMDATA: return setItemData(index, lParam);
    case LB_SETCURSEL: return setCurSel(self, index);
    case LB_GETCURSEL: return getCurSel();
    case LB_SETSEL: return setSel(self, wParam != 0, static_cast<int>(lParam));
    case LB_GETSEL: return valid(index) ? (isSelected(index) ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT: return getSelCount();
    case LB_GETSELITEMS: return getSelItems(index, reinterpret_cast<int*>(lParam));
    case LB_SELITEMRANGE: return selItemRange(self, wParam != 0, LOWORD(lParam), HIWORD(lParam));
    case LB_SELITEMRANGEEX: return selItemRangeEx(self, index, static_cast<int>(lParam));
    case LB_FINDSTRING: return findString(index, reinterpret_cast<LPCWSTR>(lParam), false);
    case LB_FINDSTRINGEXACT: return findString(index, reinterpret_cast<LPCWSTR>(lParam), true);
    case LB_SELECTSTRING: return selectString(self, index, reinterpret_cast<LPCWSTR>(lParam));
    case LB_SETTOPINDEX: return setTopIndex(self, index);
    case LB_GETTOPINDEX: return top_;
    case LB_SETCARETINDEX: return valid(index) ? (showCaret(self, index), LB_OKAY) : LB_ERR;
    case LB_GETCARETINDEX: return caret_;
    case LB_SETANCHORINDEX: return valid(index) ? (anchor_ = index, LB_OKAY) : LB_ERR;
    case LB_GETANCHORINDEX: return anchor_;
    case LB_SETTABSTOPS: return setTabStops(self, static_cast<int>(wParam), reinterpret_cast<const INT*>(lParam));
    case LB_GETITEMHEIGHT: return kItemHeight;
    case LB_SETITEMHEIGHT:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETCOLUMNWIDTH:
      return LB_OKAY;
    case LB_GETHORIZONTALEXTENT: return 0;
    case LB_INITSTORAGE: items_.Reserve(index); return items_.Count() + index;
    case WM_KEYDOWN: return keyDown(self, static_cast<int>(wParam));
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: notify(self, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: notify(self, LBN_KILLFOCUS); return 0;
    case WM_SETTEXT: return TRUE;  // a list box has no text of its own
    default:
      *handled = false;
      return 0;
  }
}

// LBN_* notifications go to the parent only with LBS_NOTIFY, as in Win32.
void ListBox::notify(Window& self, WORD code) {
  if (self.style & LBS_NOTIFY) NotifyParent(self, code);
}

bool ListBox::multiple(const Window& self) {
  return (self.style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0;
}

bool ListBox::isSelected(int index) const {
  return multi_ ? items_.Selected(index) : index == current_;
}

namespace {
std::u16string_view TextView(LPCWSTR text) { return text == nullptr ? std::u16string_view() : std::u16string_view(text); }
}  // namespace

// With a line maker the argument is the new line's item data.
LRESULT ListBox::addString(Window& self, LPCWSTR text) {
  if (maker_) {
    const auto data = reinterpret_cast<LPARAM>(text);
    int at = items_.Count();
    if (sorted_) {
      std::u16string line;
      maker_(data, line);
      at = sortedMadePosition(line);
    }
    return insertAt(self, at, {}, data);
  }
  const std::u16string_view line = TextView(text);
  const int at = sorted_ ? items_.SortedPosition(line) : items_.Count();
  return insertAt(self, at, line, 0);
}

// LB_INSERTSTRING never sorts; -1 is the end, past the end is an error.
LRESULT ListBox::insertString(Window& self, int index, LPCWSTR text) {
  if (index == -1) index = items_.Count();
  if (index < 0 || index > items_.Count()) return LB_ERR;
  if (maker_) return insertAt(self, index, {}, reinterpret_cast<LPARAM>(text));
  return insertAt(self, index, TextView(text), 0);
}

LRESULT ListBox::insertAt(Window& self, int index, std::u16string_view text, LPARAM data) {
  items_.Insert(index, text, data);  // strong guarantee: nothing changed on failure
  if (current_ >= index) ++current_;
  if (caret_ >= index && items_.Count() > 1) ++caret_;
  if (anchor_ >= index && items_.Count() > 1) ++anchor_;
  Changed(self, Change::Items);
  return index;
}

// Returns the number of items left.
LRESULT ListBox::deleteString(Window& self, int index) {
  if (!valid(index)) return LB_ERR;
  items_.Erase(index);
  auto shift = [&](int& at) {
    if (at == index) {
      at = -1;
    } else if (at > index) {
      --at;
    }
  };
  shift(current_);
  if (caret_ > index) --caret_;
  if (caret_ >= items_.Count()) caret_ = std::max(items_.Count() - 1, 0);
  shift(anchor_);
  if (top_ >= items_.Count()) top_ = std::max(items_.Count() - 1, 0);
  Changed(self, Change::Items);
  return items_.Count();
}

LRESULT ListBox::resetContent(Window& self) {
  items_.Clear();
  current_ = anchor_ = -1;
  caret_ = top_ = 0;
  Changed(self, Change::Items);
  return TRUE;
}

// A list whose owner makes its lines only, as Win32's lists without data:
// lines past `count` go, and lines up to it come with their index as item
// data, so that a list of every entry an owner holds costs no message per
// line.
LRESULT ListBox::setCount(Window& self, int count) {
  if (!maker_ || count < 0) return LB_ERR;
  if (count > items_.Count()) items_.AppendNumbered(count - items_.Count());
  while (items_.Count() > count) items_.Erase(items_.Count() - 1);
  if (current_ >= count) current_ = -1;
  if (anchor_ >= count) anchor_ = -1;
  caret_ = std::clamp(caret_, 0, std::max(count - 1, 0));
  top_ = std::clamp(top_, 0, std::max(count - 1, 0));
  Changed(self, Change::Items);
  return LB_OKAY;
}

LRESULT ListBox::getText(int index, LPWSTR buffer) const {
  if (maker_) {
    if (!valid(index)) return LB_ERR;
    const std::u16string& line = madeLine(index);
    if (buffer != nullptr) std::copy(line.c_str(), line.c_str() + line.size() + 1, buffer);
    return static_cast<LRESULT>(line.size());
  }
  const int length = items_.CopyText(index, buffer);
  return length < 0 ? LB_ERR : length;
}

// Index -1 sets the data of every item. Without memory for data beyond
// four bytes, LB_ERR and the data as they were.
LRESULT ListBox::setItemData(int index, LPARAM data) {
  if (index != -1 && !valid(index)) return LB_ERR;
  try {
    if (index == -1) {
      items_.SetEveryData(data);
    } else {
      items_.SetData(index, data);
    }
  } catch (const std::bad_alloc&) {
    return LB_ERR;
  }
  return TRUE;
}

// Single selection only; -1 clears the selection and still answers LB_ERR.
LRESULT ListBox::setCurSel(Window& self, int index) {
  if (multi_) return LB_ERR;
  if (index != -1 && !valid(index)) return LB_ERR;
  current_ = index;
  if (index >= 0) showCaret(self, index);
  Changed(self, Change::Selection);
  return index == -1 ? LB_ERR : index;
}

// In a multiple-selection list the "current" item is the caret item.
LRESULT ListBox::getCurSel() const {
  if (multi_) return items_.Count() == 0 ? LB_ERR : caret_;
  return current_ < 0 ? LB_ERR : current_;
}

// Multiple selection only; index -1 applies to every item. A line selected
// alone becomes the anchor, so that Shift with an arrow key extends the
// selection from the line a program (a search as one types) selected.
LRESULT ListBox::setSel(Window& self, bool select, int index) {
  if (!multi_) return LB_ERR;
  if (index == -1) {
    items_.SelectAll(select);
  } else {
    if (!valid(index)) return LB_ERR;
    items_.Select(index, select);
    if (select) anchor_ = index;
    showCaret(self, index);
  }
  Changed(self, Change::Selection);
  return LB_OKAY;
}

LRESULT ListBox::getSelCount() {
  if (!multi_) return LB_ERR;
  return items_.SelectedCount();
}

// Up to `max` selected indices in ascending order; returns how many.
LRESULT ListBox::getSelItems(int max, int* out) {
  if (!multi_) return LB_ERR;
  if (out == nullptr || max <= 0) return 0;
  int count = 0;
  items_.ForEachSelected([&](int index) {
    out[count++] = index;
    return count < max;
  });
  return count;
}

LRESULT ListBox::selItemRange(Window& self, bool select, int first, int last) {
  if (!multi_) return LB_ERR;
  if (first > last) std::swap(first, last);
  last = std::min(last, items_.Count() - 1);
  for (int i = std::max(first, 0); i <= last; ++i) items_.Select(i, select);
  Changed(self, Change::Selection);
  return LB_OKAY;
}

// First after last deselects the range instead.
LRESULT ListBox::selItemRangeEx(Window& self, int first, int last) {
  return first <= last ? selItemRange(self, true, first, last) : selItemRange(self, false, last, first);
}

// No stops: every 32 dialog units; one: every that many; more: those.
LRESULT ListBox::setTabStops(Window& self, int count, const INT* stops) {
  if (!(self.style & LBS_USETABSTOPS)) return FALSE;
  if (count < 0 || (count > 0 && stops == nullptr)) return FALSE;
  tabStops_.assign(stops, stops + count);
  Changed(self, Change::Items);
  return TRUE;
}

std::vector<int> ListBox::TabStops() const {
  if (tabStops_.size() > 1) return tabStops_;
  return {tabStops_.empty() ? 32 : std::max(tabStops_.front(), 1)};
}

// Searches from the item after `start` round to `start`: an empty text, or
// no match, is LB_ERR; a start of -1 or past the end searches from the top.
LRESULT ListBox::findString(int start, LPCWSTR text, bool exact) {
  const int found =
      maker_ ? items_.FindMade(start, TextView(text), exact,
                               [&](int index, std::u16string& line) { maker_(items_.Data(index), line); })
             : items_.FindText(start, TextView(text), exact);
  return found < 0 ? LB_ERR : found;
}

// Selects (and scrolls to) the first item that starts with the text.
LRESULT ListBox::selectString(Window& self, int start, LPCWSTR text) {
  const LRESULT found = findString(start, text, false);
  if (found == LB_ERR) return LB_ERR;
  const int index = static_cast<int>(found);
  if (multi_) {
    items_.Select(index, true);
  } else {
    current_ = index;
  }
  caret_ = index;
  top_ = index;
  Changed(self, Change::Selection);
  return index;
}

// The caret moves to `index` and the list scrolls the least that brings
// that line into view, as a selection made by the program or a person does.
int ListBox::visibleLines(const Window& self) {
  return std::max<int>((self.rect.bottom - self.rect.top - 2) / kItemHeight, 1);
}

void ListBox::showCaret(const Window& self, int index) {
  caret_ = index;
  const int lines = visibleLines(self);
  if (index < top_) {
    top_ = index;
  } else if (index >= top_ + lines) {
    top_ = index - lines + 1;
  }
}

LRESULT ListBox::setTopIndex(Window& self, int index) {
  if (!valid(index) && !(index == 0 && items_.Count() == 0)) return LB_ERR;
  top_ = index;
  Changed(self, Change::Selection);
  return LB_OKAY;
}

// With LBS_WANTKEYBOARDINPUT the parent decides first: -2 means it handled
// the key, -1 the default action, another value the item to go to.
LRESULT ListBox::keyDown(Window& self, int key) {
  int target = caret_;
  if (self.style & LBS_WANTKEYBOARDINPUT) {
    const HWND handle = self.handle;
    Window* dialog = self.parent;
    if (dialog == nullptr) return 0;
    const LRESULT answer = Dispatch(*dialog, WM_VKEYTOITEM, MAKEWPARAM(key, caret_),
                                    reinterpret_cast<LPARAM>(handle));
    if (answer == -2 || PeekWindowRecord(handle) == nullptr) return 0;
    if (answer >= 0) target = static_cast<int>(answer);
  }
  // PgUp and PgDn move by a page less one line, as far as the ends.
  const int page = std::max(visibleLines(self) - 1, 1);
  int next = target;
  switch (key) {
    case VK_UP: next = target - 1; break;
    case VK_DOWN: next = target + 1; break;
    case VK_PRIOR: next = target - page; break;
    case VK_NEXT: next = target + page; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = items_.Count() - 1; break;
    default: return 0;
  }
  if (items_.Count() == 0) return 0;
  next = std::clamp(next, 0, items_.Count() - 1);
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  // A multiple selection list moves its caret only (Space selects); an
  // extended one with Ctrl too, and with Shift selects from the anchor.
  if ((self.style & LBS_MULTIPLESEL) || ((self.style & LBS_EXTENDEDSEL) && control && !shift)) {
    showCaret(self, next);
    Changed(self, Change::Selection);
    return 0;
  }
  if ((self.style & LBS_EXTENDEDSEL) && shift && valid(anchor_)) {
    const int from = std::min(anchor_, next);
    const int to = std::max(anchor_, next);
    items_.SelectAll(false);
    for (int index = from; index <= to; ++index) items_.Select(index, true);
    showCaret(self, next);
    Changed(self, Change::Selection);
    notify(self, LBN_SELCHANGE);
    return 0;
  }
  UserSelect(self, {next});
  return 0;
}

void ListBox::UserSelect(Window& self, const std::vector<int>& indices) {
  if (multi_) {
    items_.SelectAll(false);
    for (int index : indices) {
      if (valid(index)) items_.Select(index, true);
    }
  } else {
    current_ = indices.empty() ? -1 : indices.front();
  }
  if (!indices.empty()) {
    showCaret(self, indices.back());
    anchor_ = indices.front();
  }
  Changed(self, Change::Selection);
  notify(self, LBN_SELCHANGE);
}

void ListBox::UserDoubleClick(Window& self, int index) {
  const HWND handle = self.handle;
  UserSelect(self, {index});
  if (Window* still = PeekWindowRecord(handle)) notify(*still, LBN_DBLCLK);
}

std::vector<std::u16string> ListBox::Texts() {
  std::vector<std::u16string> texts;
  texts.reserve(static_cast<std::size_t>(items_.Count()));
  if (maker_) {
    for (int i = 0; i < items_.Count(); ++i) texts.push_back(madeLine(i));
  } else {
    items_.ForEachText([&](std::u16string_view text) { texts.emplace_back(text); });
  }
  return texts;
}

std::u16string ListBox::TextOf(int index) const {
  if (!valid(index)) return {};
  return maker_ ? madeLine(index) : items_.Text(index);
}

bool ListBox::SetLineMaker(ListLineMaker maker) {
  if (items_.Count() != 0) return false;
  maker_ = std::move(maker);
  return true;
}

const std::u16string& ListBox::madeLine(int index) const {
  made_.clear();
  maker_(items_.Data(index), made_);
  return made_;
}

// After the lines that sort equal to `text`, by binary search.
int ListBox::sortedMadePosition(std::u16string_view text) const {
  int low = 0;
  int high = items_.Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareForSort(text, madeLine(middle)) < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

std::vector<int> ListBox::Selected() {
  std::vector<int> selected;
  if (!multi_) {
    if (current_ >= 0) selected.push_back(current_);
    return selected;
  }
  selected.reserve(static_cast<std::size_t>(items_.SelectedCount()));
  items_.ForEachSelected([&](int index) {
    selected.push_back(index);
    return true;
  });
  return selected;
}

std::unique_ptr<Control> MakeListBox() { return std::make_unique<ListBox>(); }

bool SetListLineMaker(HWND list, ListLineMaker maker) {
  Window* window = PeekWindowRecord(list);
  auto* box = window != nullptr && window->kind == WindowKind::ListBox ? dynamic_cast<ListBox*>(window->control.get())
                                                                        : nullptr;
  return box != nullptr && maker && box->SetLineMaker(std::move(maker));
}

}  // namespace tq::ui
