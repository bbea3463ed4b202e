#include "selection_lists.h"

#include <new>
#include <utility>

#include "ids.h"
#include "win/user.h"

namespace tq::import {

std::size_t KeyHash(const std::pair<std::string_view, std::string_view>& key) {
  const std::size_t name = std::hash<std::string_view>()(key.first);
  return name ^ (std::hash<std::string_view>()(key.second) + 0x9e3779b97f4a7c15u + (name << 6) + (name >> 2));
}

void ChosenEntries::Add(std::size_t entry) {
  if (held_[entry]) return;
  held_[entry] = true;
  ++alike_[first_[entry]];
}

void ChosenEntries::Remove(std::size_t entry) {
  if (!held_[entry]) return;
  held_[entry] = false;
  --alike_[first_[entry]];
}

LPARAM ListData(HWND dialog, int list, int index) {
  return SendDlgItemMessageW(dialog, list, LB_GETITEMDATA, index, 0);
}

int ListCount(HWND dialog, int list) { return static_cast<int>(SendDlgItemMessageW(dialog, list, LB_GETCOUNT, 0, 0)); }

void MakeListLines(HWND dialog, tq::ui::ListLineMaker makeAll, tq::ui::ListLineMaker makeChosen) {
  tq::ui::SetListLineMaker(GetDlgItem(dialog, select::kAll), std::move(makeAll));
  tq::ui::SetListLineMaker(GetDlgItem(dialog, select::kChosen), std::move(makeChosen));
}

bool FillAllList(HWND dialog, HWND owner, std::size_t count) {
  ProgressDialog progress(owner);
  return SendDlgItemMessageW(dialog, select::kAll, LB_SETCOUNT, count, 0) == LB_OKAY;
}

bool AddChosenLine(HWND dialog, ChosenEntries& chosen, std::size_t entry) {
  if (SendDlgItemMessageW(dialog, select::kChosen, LB_ADDSTRING, 0, static_cast<LPARAM>(entry)) < 0) return false;
  chosen.Add(entry);
  return true;
}

std::vector<int> SelectedAllLines(HWND dialog) { return SelectedLines(dialog, select::kAll); }

std::vector<int> SelectedLines(HWND dialog, int list) {
  const auto count = static_cast<int>(SendDlgItemMessageW(dialog, list, LB_GETSELCOUNT, 0, 0));
  if (count <= 0) return {};
  std::vector<int> lines(static_cast<std::size_t>(count));
  const auto got = static_cast<int>(
      SendDlgItemMessageW(dialog, list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(lines.data())));
  lines.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return lines;
}

void SearchAllList(HWND dialog) {
  char16_t typed[64] = {};
  GetDlgItemTextW(dialog, select::kSearch, typed, 64);
  const std::vector<int> selected = SelectedAllLines(dialog);
  // LB_FINDSTRING looks after the line it is given, so start one before.
  const int start = selected.empty() ? -1 : selected.front() - 1;
  const LRESULT found = SendDlgItemMessageW(dialog, select::kAll, LB_FINDSTRING, start, reinterpret_cast<LPARAM>(typed));
  if (found == LB_ERR) return;
  SendDlgItemMessageW(dialog, select::kAll, LB_SETSEL, FALSE, -1);
  SendDlgItemMessageW(dialog, select::kAll, LB_SETSEL, TRUE, found);
  SendDlgItemMessageW(dialog, select::kAll, LB_SETTOPINDEX, found, 0);
}

std::optional<INT_PTR> SharedSelectionMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                              ChosenEntries& chosen, const std::function<void()>& moveSelected) {
  if (message == WM_VKEYTOITEM) {
    if (LOWORD(wParam) != VK_DELETE || GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != select::kChosen) return -1;
    RemoveChosenLines(dialog, chosen);
    return -2;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case select::kSearch:
      if (HIWORD(wParam) == EN_CHANGE) SearchAllList(dialog);
      return TRUE;
    case select::kMove:
      moveSelected();
      return TRUE;
    case select::kRemove:
      RemoveChosenLines(dialog, chosen);
      return TRUE;
    default:
      return std::nullopt;
  }
}

void RemoveChosenLines(HWND dialog, ChosenEntries& chosen) {
  const std::vector<int> lines = SelectedLines(dialog, select::kChosen);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    const auto entry = static_cast<std::size_t>(ListData(dialog, select::kChosen, *line));
    if (entry < chosen.Count()) chosen.Remove(entry);
  }
  // Every line at once when all go; otherwise from the last, so the
  // indices still to come stay right.
  if (static_cast<int>(lines.size()) == ListCount(dialog, select::kChosen)) {
    SendDlgItemMessageW(dialog, select::kChosen, LB_RESETCONTENT, 0, 0);
    return;
  }
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    SendDlgItemMessageW(dialog, select::kChosen, LB_DELETESTRING, *line, 0);
  }
}

bool ChosenListFull(const ImportRun& run, HWND dialog, std::u16string_view caption) {
  if (run.limit <= 0 || ListCount(dialog, select::kChosen) < run.limit) return false;
  ShowMessage(run, text::kListFull, caption, MB_OK | MB_ICONWARNING);
  return true;
}

std::optional<std::vector<int>> LinesToMove(const ImportRun& run, HWND dialog, std::u16string_view caption) {
  if (ChosenListFull(run, dialog, caption)) return std::nullopt;
  try {
    return SelectedAllLines(dialog);
  } catch (const std::bad_alloc&) {
    ShowMessage(run, text::kNoMemoryForSelection, caption, MB_OK | MB_ICONWARNING);
    return std::nullopt;
  }
}

namespace {
INT_PTR ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }
}  // namespace

ProgressDialog::ProgressDialog(HWND owner)
    : window_(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kProgressDialog), owner, ProgressProc, 0)) {
  if (window_ != nullptr) ShowWindow(window_, SW_SHOW);
}

ProgressDialog::~ProgressDialog() {
  if (window_ != nullptr) DestroyWindow(window_);
}

}  // namespace tq::import
