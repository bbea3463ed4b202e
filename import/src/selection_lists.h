// What the two-list selection dialogs of the CSV and speed-dial imports
// share: the search as one types, removing chosen lines, the limit, the
// progress dialog shown while the left list is filled.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "import_run.h"
#include "win/types.h"

namespace tq::import {

// Selects the first line of the left list that begins with the search
// edit's text (without case), looking from the first selected line and
// wrapping round; nothing changes when no line matches.
void SearchAllList(HWND dialog);

// Removes the selected lines of the right list.
void RemoveChosenLines(HWND dialog);

// The messages both selection dialogs answer alike once open: Delete in the
// right list, the search edit, "Vers->" (which runs `moveSelected`) and
// removal. The dialog procedure's answer, or nothing for a command the
// dialog answers itself (help, details, OK, Cancel).
std::optional<INT_PTR> SharedSelectionMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                              const std::function<void()>& moveSelected);

// The selected lines of the left list, ascending.
std::vector<int> SelectedAllLines(HWND dialog);

// True when the right list holds as many lines as the limit allows; the
// full-list message is then shown under `caption`.
bool ChosenListFull(const ImportRun& run, HWND dialog, std::u16string_view caption);

// The selected lines of the left list that "Vers->" moves, ascending; none
// when the right list is already full or the lines cannot be listed, each
// with its message under `caption`.
std::optional<std::vector<int>> LinesToMove(const ImportRun& run, HWND dialog, std::u16string_view caption);

std::u16string ListText(HWND dialog, int list, int index);
LPARAM ListData(HWND dialog, int list, int index);
int ListCount(HWND dialog, int list);
int AddListLine(HWND dialog, int list, const std::u16string& line, LPARAM data);

// The modeless "please wait" dialog (117) while a list is filled.
class ProgressDialog {
 public:
  explicit ProgressDialog(HWND owner);
  ~ProgressDialog();
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

 private:
  HWND window_ = nullptr;
};

}  // namespace tq::import
