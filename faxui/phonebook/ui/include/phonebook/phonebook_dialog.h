// The phonebook dialog in its two forms, one procedure: the management form
// (template 106, "Fermer") and the selection form (template 600, with the
// list of selected recipients 605). Open them with
//   ShowManagementForm(owner);                   // or PhonebookDlgProc with no parameter
//   ShowSelectionForm(owner, working, current);  // 1 when the user pressed OK
// The selection form edits the caller's working recipient list in place;
// the caller takes it back only on 1.
#pragma once

#include "common/recipient_list.h"
#include "phonebook/current_phonebook.h"
#include "win/export.h"
#include "win/types.h"

namespace tq::faxui {

struct PhonebookDialogParams {
  // The current phonebook the dialog locates, lists and may change; null
  // for a dialog that keeps one of its own.
  phonebook::CurrentPhonebook* current = nullptr;
  // The selection form's working recipient list.
  RecipientList* recipients = nullptr;
};

void ShowManagementForm(HWND owner);
INT_PTR ShowSelectionForm(HWND owner, RecipientList& working, phonebook::CurrentPhonebook& current);

}  // namespace tq::faxui

TQ_EXPORT INT_PTR PhonebookDlgProc(HWND dialog, UINT message,
                                                                           WPARAM wParam, LPARAM lParam);
