// Property sheets: the sheet window with its own buttons around the pages.
#pragma once

#include <string>
#include <vector>

#include "window.h"

namespace tq::ui {

struct SheetPage {
  std::vector<unsigned char> page;  // the PROPSHEETPAGEW as given, dwSize bytes
  HPROPSHEETPAGE handle = nullptr;  // when the sheet was given handles
  HWND window = nullptr;            // made when first shown
  int templateId = 0;
  bool changed = false;
  const PROPSHEETPAGEW& Header() const { return *reinterpret_cast<const PROPSHEETPAGEW*>(page.data()); }
};

struct SheetState {
  std::vector<SheetPage> pages;
  int current = -1;
  int making = -1;  // the page whose window is being made
  bool applied = false;  // an apply succeeded: the sheet answers 1 even if cancelled
  std::u16string closeText;  // OK's label once Cancel becomes Close; empty: the layer's own
};

// Shows the page made from `templateId`; false when there is none or the
// shown page refuses to be left.
bool SheetShowTemplate(Window& sheet, int templateId);
HWND SheetCurrentPage(const Window& sheet);
// Shows page `index` (0-based, in the sheet's order), leaving the shown one.
bool SheetShowIndex(Window& sheet, int index);
// Keys the sheet takes wherever the focus is: Ctrl+Tab and Ctrl+PgDn show
// the next page, Ctrl+Shift+Tab and Ctrl+PgUp the one before, wrapping
// round. False for any other key.
bool SheetKey(Window& sheet, int key, bool shift, bool control);
// The row of tabs (IDC_PROPSHEET_TABS).
HWND SheetTabRow(Window& sheet);
bool SheetHasTemplate(Window& sheet, int templateId);

}  // namespace tq::ui
