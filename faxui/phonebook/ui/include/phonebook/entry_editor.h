// Dialog 103 in its two roles: the details view of a recipient
// (ShowDBInfoDlgProc, read-only) and the entry editor (EditDBInfoDlgProc)
// of an individual phonebook entry; and the new-entry choice (dialog 105).
#pragma once

#include <string>
#include <string_view>

#include "common/entry_record.h"
#include "common/store_result.h"
#include "phonebook/phonebook_session.h"
#include "win/export.h"
#include "win/types.h"

namespace tq::faxui {

// What the entry editor is given and gives back, instead of the details
// record's flag slot.
struct EntryEditorParams {
  phonebook::PhonebookEntry* working = nullptr;
  // The window whose list `listId` holds the entry's display line. Name and
  // fax number can be changed only in the phonebook dialog's own list 601
  // of an owner without control 701.
  HWND owner = nullptr;
  int listId = 0;
  // After OK: how the entry is to be stored.
  SaveMode mode = SaveMode::Append;
};

// The details view of `details` (read-only); ends with 2.
void ShowRecipientDetails(HWND owner, const EntryDetails& details);

// Runs the editor on the session's working entry and, on OK, stores it and
// updates the owner's list `listId`. `oldLine` is empty for a new entry.
// Ok after a cancel too; the caller reports a failure.
[[nodiscard]] StoreResult EditIndividualEntry(HWND owner, PhonebookSession& session, int listId,
                                              std::u16string_view oldLine);

// Reads the entry named by `line`, edits and stores it; every failure is
// reported here under "Modification des propriétés".
void ShowEntryProperties(HWND owner, PhonebookSession& session, int listId, std::u16string_view line);

inline constexpr INT_PTR kNewIndividual = 500;
inline constexpr INT_PTR kNewGroup = 501;
// The new-entry choice: kNewIndividual, kNewGroup or 2 (cancelled).
INT_PTR RunNewEntryChoice(HWND owner);

}  // namespace tq::faxui

TQ_EXPORT INT_PTR ShowDBInfoDlgProc(HWND, UINT, WPARAM, LPARAM);
TQ_EXPORT INT_PTR EditDBInfoDlgProc(HWND, UINT, WPARAM, LPARAM);
TQ_EXPORT INT_PTR NewEntryDlgProc(HWND, UINT, WPARAM, LPARAM);
