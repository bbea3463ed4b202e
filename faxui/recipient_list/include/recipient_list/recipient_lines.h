// The lines of a list box that shows a recipient list (the recipient
// dialog's list, the phonebook selection form's, the confirmation prompt's):
// line i always shows slot i.
#pragma once

#include "common/recipient_list.h"
#include "win/types.h"

namespace tq::faxui {

// Empties list box `listId` and adds one display line per record in order
// (the record's key, RecordKey::Of).
void FillRecipientListBox(HWND dialog, int listId, const RecipientListBlock& block);

// Deletes the selected lines of `listId` (RemoveSelectedLines), each with
// the recipient's record and details, so that slots stay aligned with
// lines. Returns the number of lines deleted.
int RemoveSelectedRecipients(HWND dialog, int listId, RecipientList& list);

}  // namespace tq::faxui
