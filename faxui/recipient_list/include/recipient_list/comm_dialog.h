// The communication settings dialog (template 104): transmission mode,
// relay send with its destination list, secure send into a mailbox, F code.
// It edits the caller's working record in place, field by field as the
// user types, and ends with 1 (OK, the settings were checked) or 2
// ("Annuler"); on 2 the caller puts back the record it kept. Open it with
//   CommDialogParams params{&workingRecord, g4Available};
//   DialogBoxParamW(instance, MAKEINTRESOURCEW(104), owner, CommDlgProc,
//                   reinterpret_cast<LPARAM>(&params));
// When the owner is the recipient dialog (it has control 1008) the dialog
// offers the recipients' transmission modes and names the recipient in its
// title; otherwise it offers the phonebook's modes under the plain title.
#pragma once

#include <span>

#include "common/entry_record.h"
#include "faxui/resource_ids.h"
#include "win/export.h"
#include "win/types.h"

namespace tq::faxui {

struct CommDialogParams {
  EntryRecord* record = nullptr;
  // For the recipients' list: false drops "G4 auto" (the device lacks the
  // G4 option). The phonebook's list always holds all three modes.
  bool g4Available = true;
};

// The end of a list of transmission modes (kModeG3Auto and on).
inline constexpr int kTransmissionModeEnd = -1;

// The recipients' list (cut after "F4800" without the G4 option) or the
// phonebook's list, end marker included.
std::span<const int> RecipientTransmissionModes(bool g4Available);
std::span<const int> PhonebookTransmissionModes();

// Checks the settings of `record` for OK; on a fault shows its message
// (owned by `dialog`), puts the focus on the field and returns 0.
int ValidateCommSettings(HWND dialog, const EntryRecord& record);

}  // namespace tq::faxui

TQ_EXPORT INT_PTR CommDlgProc(HWND dialog, UINT message,
                                                                      WPARAM wParam, LPARAM lParam);
