#include "phonebook_lines.h"

#include <algorithm>

#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_operations.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kSearchBufferSize = 35;  // 34 characters and the terminator

char16_t Folded(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
  return c;
}

}  // namespace

void SearchInList(HWND dialog, int listId) {
  char16_t text[kSearchBufferSize] = {};
  GetDlgItemTextW(dialog, pb::kSearchEdit, text, kSearchBufferSize);
  HWND list = GetDlgItem(dialog, listId);
  int first = -1;
  SendMessageW(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first));
  // The search begins after the index given, so one before the first
  // selected line keeps that line when it still matches.
  const WPARAM after = first > 0 ? static_cast<WPARAM>(first - 1) : static_cast<WPARAM>(-1);
  const LRESULT found = SendMessageW(list, LB_FINDSTRING, after, reinterpret_cast<LPARAM>(text));
  if (found == LB_ERR) return;
  SelectOnlyLine(list, static_cast<int>(found));
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(found), 0);
}

int FindExactLine(HWND list, std::u16string_view line) {
  const std::u16string text(line);
  const LRESULT found =
      SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  return found == LB_ERR ? -1 : static_cast<int>(found);
}

void SelectOnlyLine(HWND list, int index) {
  SendMessageW(list, LB_SETSEL, FALSE, -1);
  SendMessageW(list, LB_SETSEL, TRUE, index);
}

int AddLineWithData(HWND list, std::u16string_view line, LPARAM data) {
  const std::u16string text(line);
  const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) return -1;
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
  return static_cast<int>(index);
}

bool SameTextNoCase(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

std::u16string NameAndNumber(std::u16string_view name, std::u16string_view faxNumber) {
  return phonebook::texts::NameAndNumber(name, faxNumber);
}

void ReportStoreFailure(HWND owner, std::u16string_view path, StoreResult result, const StoreFailureTexts& texts) {
  switch (result) {
    case StoreResult::Ok: return;
    case StoreResult::NoMemory: ShowMessage(owner, texts.noMemory, texts.caption, MB_OK | MB_ICONERROR); return;
    case StoreResult::WriteFailed: ShowMessage(owner, texts.writeFailed, texts.caption, MB_OK | MB_ICONERROR); return;
    case StoreResult::CannotOpen:
      phonebook::ShowFileError(owner, path, texts.caption, phonebook::FileErrorKind::CannotAccess);
      return;
    default:
      // BadFormat, and the older versions the store reports as such.
      phonebook::ShowFileError(owner, path, texts.caption, phonebook::FileErrorKind::BadFormat);
      return;
  }
}

}  // namespace tq::faxui
