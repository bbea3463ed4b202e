#include "selection_lists.h"

#include <new>

#include "ids.h"
#include "win/user.h"

namespace tq::import {

std::u16string ListText(HWND dialog, int list, int index) {
  const LRESULT length = SendDlgItemMessageW(dialog, list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendDlgItemMessageW(dialog, list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

LPARAM ListData(HWND dialog, int list, int index) {
  return SendDlgItemMessageW(dialog, list, LB_GETITEMDATA, index, 0);
}

int ListCount(HWND dialog, int list) { return static_cast<int>(SendDlgItemMessageW(dialog, list, LB_GETCOUNT, 0, 0)); }

int AddListLine(HWND dialog, int list, const std::u16string& line, LPARAM data) {
  const auto index = static_cast<int>(SendDlgItemMessageW(dialog, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())));
  if (index >= 0) SendDlgItemMessageW(dialog, list, LB_SETITEMDATA, index, data);
  return index;
}

std::vector<int> SelectedAllLines(HWND dialog) {
  const auto count = static_cast<int>(SendDlgItemMessageW(dialog, select::kAll, LB_GETSELCOUNT, 0, 0));
  if (count <= 0) return {};
  std::vector<int> lines(static_cast<std::size_t>(count));
  const auto got = static_cast<int>(
      SendDlgItemMessageW(dialog, select::kAll, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(lines.data())));
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
                                              const std::function<void()>& moveSelected) {
  if (message == WM_VKEYTOITEM) {
    if (LOWORD(wParam) != VK_DELETE || GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != select::kChosen) return -1;
    RemoveChosenLines(dialog);
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
      RemoveChosenLines(dialog);
      return TRUE;
    default:
      return std::nullopt;
  }
}

void RemoveChosenLines(HWND dialog) {
  for (int i = ListCount(dialog, select::kChosen) - 1; i >= 0; --i) {
    if (SendDlgItemMessageW(dialog, select::kChosen, LB_GETSEL, i, 0) > 0) {
      SendDlgItemMessageW(dialog, select::kChosen, LB_DELETESTRING, i, 0);
    }
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
