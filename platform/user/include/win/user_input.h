// Input as a person gives it, for the faces: the headless face's script
// actions and the Qt face's events both come here, so both drive the same
// behaviour. Each call works on the calling (windows') thread and returns
// false, with a reason in *why, when the window cannot take that input
// (no such control, disabled, hidden, wrong class, item out of range).
#pragma once

#include <string>
#include <vector>

#include "win/resource.h"
#include "win/user.h"

// A property sheet's row of tabs above the pages: one tab a page, a tab
// stop of its own whose arrow keys change pages.
inline constexpr int IDC_PROPSHEET_TABS = 12320;
#define WC_TABCONTROLW u"SysTabControl32"

namespace tq::ui {

// Gives edit `edit` the focus with its whole text selected, as the dialog
// manager does on tabbing in, then types `text` one character at a time:
// the first replaces the selection; the limit and read-only apply, and each
// accepted character sends one EN_CHANGE.
bool TypeText(HWND edit, const std::u16string& text, std::string* why);

// Replaces the edit's whole text at once, as a paste: one EN_CHANGE. The
// limit applies as it does to a paste (the text is cut to it).
bool PasteText(HWND edit, const std::u16string& text, std::string* why);

// Presses a button: check boxes toggle, radio buttons check (automatic ones
// uncheck their group), the parent gets BN_CLICKED.
bool ClickButton(HWND button, std::string* why);

// List or combo box: exactly these items become selected, with the
// notifications of a click (LBN_SELCHANGE / CBN_SELCHANGE). More than one
// item needs an extended or multiple selection list box.
bool SelectItems(HWND list, const std::vector<int>& items, std::string* why);
bool DoubleClickItem(HWND list, int item, std::string* why);

// A key pressed while `control` has the focus, with the modifiers held
// (HoldModifiers). Enter presses the default button, Escape cancels, F1
// sends WM_HELP, Tab and Shift+Tab move the focus along the tab stops (of a
// sheet: the shown page's, the sheet's buttons and its tab row); in a
// property sheet Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp change
// pages wherever the focus is. Other keys (arrows, Home, End, PgUp, PgDn,
// Delete) go to the control as WM_KEYDOWN (a list box with
// LBS_WANTKEYBOARDINPUT asks its parent with WM_VKEYTOITEM).
bool PressKey(HWND control, int virtualKey, std::string* why);

// Modifier keys held from now on (GetAsyncKeyState sees them).
void HoldModifiers(bool shift, bool control);

// In a property sheet: shows the page made from template `templateId`
// (with PSN_KILLACTIVE on the old page and PSN_SETACTIVE on the new).
bool ShowSheetPage(HWND sheet, int templateId, std::string* why);
// The same for the page at `index` in the sheet's order: a sheet may hold
// two pages made from one template.
bool ShowSheetPageAt(HWND sheet, int index, std::string* why);

// Alt+`letter` in the active modal window, as the dialog manager takes it:
// among the controls of the window (of a sheet: the shown page's, then the
// sheet's buttons) whose text marks that letter with '&', the first after
// the focus is chosen. A label gives the focus to the control after it. A
// letter that only one control carries presses it when it is a button; a
// letter that several carry only moves the focus to the next of them.
// No control with that letter beeps.
bool PressMnemonic(HWND modal, char16_t letter, std::string* why);

// The active modal window of this thread (dialog or property sheet), null
// when none; for a sheet, the page shown and the control lookup that a
// script uses (the sheet's own buttons first, then the page's controls).
HWND ActiveModalWindow();
HWND ShownSheetPage(HWND sheet);
// Every page of a property sheet in tab order, made yet or not, for a face
// that shows one tab a page: the page's template and its tab's title (the
// page's PSP_USETITLE title, else its template's caption) and the
// template's size in dialog units.
struct SheetPageTab {
  HWND page = nullptr;  // null until the page is first shown
  bool making = false;  // its window is being made (WM_INITDIALOG)
  int templateId = 0;
  std::u16string title;
  short cx = 0;
  short cy = 0;
};
std::vector<SheetPageTab> SheetPageTabs(HWND sheet);
// The bitmaps a window's last paint drew, in client pixels of the layer.
struct PaintedBitmap {
  const res::BitmapResource* bitmap = nullptr;
  RECT rect{};
};
std::vector<PaintedBitmap> PaintedBitmaps(HWND window);
HWND FindControlForInput(HWND modal, int id);
// The template a dialog or page was made from; 0 for other windows.
int TemplateId(HWND window);
// How many WM_COMMAND messages with this identifier, posted (from another
// thread or process), modal loops have delivered so far.
int HandledPostedCommands(int id);
// Items of a list or combo box and the selected item indices.
std::vector<std::u16string> ItemTexts(HWND list);
std::vector<int> SelectedItems(HWND list);
// A list box's tab stops in dialog units, for a face to draw its columns:
// empty without LBS_USETABSTOPS, one value for stops at every multiple of
// it, else the stops themselves.
std::vector<int> ListTabStops(HWND list);

}  // namespace tq::ui
