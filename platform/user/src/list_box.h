// The list box class, shared with the combo box (whose drop-down list it
// is) and the input calls.
#pragma once

#include <string>
#include <vector>

#include "item_list.h"
#include "win/list_line_maker.h"
#include "window.h"

namespace tq::ui {

class ListBox final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override;

  // A person's click selection and double click (with notifications).
  void UserSelect(Window& self, const std::vector<int>& indices);
  void UserDoubleClick(Window& self, int index);
  bool Multiple() const { return multi_; }
  int Count() const { return items_.Count(); }
  std::vector<std::u16string> Texts();
  std::vector<int> Selected();
  // The tab stops in dialog units: several stops, or one spacing repeated.
  std::vector<int> TabStops() const;
  void SetMultiple(bool multiple) { multi_ = multiple; }
  // Set from LBS_SORT at creation; a combo box's list from CBS_SORT.
  void SetSorted(bool sorted) { sorted_ = sorted; }
  // The text of item `index`; empty for an index out of range.
  std::u16string TextOf(int index) const;
  // Only while the list is empty: from then on its lines are made by `maker`.
  bool SetLineMaker(ListLineMaker maker);
  static constexpr int kItemHeight = 13;  // pixels, in the dialog font

 private:
  ItemList items_;
  ListLineMaker maker_;  // set: the items hold no text, the maker makes it
  mutable std::u16string made_;  // the line the maker made last
  bool multi_ = false;
  bool sorted_ = false;
  int current_ = -1;  // single selection
  int caret_ = 0;
  int anchor_ = -1;
  int top_ = 0;
  std::vector<int> tabStops_;  // as LB_SETTABSTOPS gave them

  bool valid(int index) const { return index >= 0 && index < items_.Count(); }
  bool isSelected(int index) const;
  static bool multiple(const Window& self);
  static void notify(Window& self, WORD code);
  LRESULT addString(Window& self, LPCWSTR text);
  LRESULT insertString(Window& self, int index, LPCWSTR text);
  LRESULT insertAt(Window& self, int index, std::u16string_view text, LPARAM data);
  // The text of item `index` in range, made by the maker into `made_`.
  const std::u16string& madeLine(int index) const;
  // The sorted place of a made line, as ItemList's own for stored ones.
  int sortedMadePosition(std::u16string_view text) const;
  LRESULT deleteString(Window& self, int index);
  LRESULT resetContent(Window& self);
  LRESULT setCount(Window& self, int count);
  LRESULT getText(int index, LPWSTR buffer) const;
  LRESULT setItemData(int index, LPARAM data);
  LRESULT setCurSel(Window& self, int index);
  LRESULT getCurSel() const;
  LRESULT setSel(Window& self, bool select, int index);
  LRESULT getSelCount();
  LRESULT getSelItems(int max, int* out);
  LRESULT selItemRange(Window& self, bool select, int first, int last);
  LRESULT selItemRangeEx(Window& self, int first, int last);
  LRESULT findString(int start, LPCWSTR text, bool exact);
  LRESULT selectString(Window& self, int start, LPCWSTR text);
  LRESULT setTopIndex(Window& self, int index);
  LRESULT setTabStops(Window& self, int count, const INT* stops);
  void showCaret(const Window& self, int index);
  static int visibleLines(const Window& self);
  LRESULT keyDown(Window& self, int key);
};

}  // namespace tq::ui
