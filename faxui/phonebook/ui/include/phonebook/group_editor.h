// The group editor (dialog 107, EditDBGrpDlgProc) and the group viewer
// (dialog 700, ShowDBGrpDlgProc).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/store_result.h"
#include "phonebook/phonebook_session.h"
#include "win/export.h"
#include "win/types.h"

namespace tq::faxui {

struct GroupEditorParams {
  PhonebookSession* session = nullptr;
  // The owner's list of group lines (the phonebook dialog's 601).
  HWND owner = nullptr;
  int listId = 0;
  // After OK: how the group is to be stored. The session then holds the new
  // name and the group's record.
  SaveMode mode = SaveMode::Append;
};

// Runs the group editor; 1 (OK) or 2.
INT_PTR RunGroupEditor(GroupEditorParams& params);

// The group viewer on the first selected line of the owner's list 601.
void RunGroupViewer(HWND owner, PhonebookSession& session);

// The group in its file form: 0x02, the name in ANSI (at most 30 bytes),
// 0x03, then each member line's name 0x03 fax 0x03, then 0x04.
std::vector<char> BuildGroupRecord(std::u16string_view groupName, const std::vector<std::u16string>& memberLines);

}  // namespace tq::faxui

TQ_EXPORT INT_PTR EditDBGrpDlgProc(HWND, UINT, WPARAM, LPARAM);
TQ_EXPORT INT_PTR ShowDBGrpDlgProc(HWND, UINT, WPARAM, LPARAM);
