// What the phonebook dialog keeps while it is open.
#pragma once

#include <memory>

#include "common/recipient_list.h"
#include "dialogs/help.h"
#include "phonebook/current_phonebook.h"
#include "phonebook/phonebook_session.h"
#include "win/types.h"

namespace tq::faxui {

struct PhonebookDialogState {
  bool selectionForm = false;
  // The management form opened without a phonebook of the caller's keeps
  // its own.
  std::unique_ptr<phonebook::CurrentPhonebook> ownPhonebook;
  PhonebookSession session;
  RecipientList* recipients = nullptr;  // the selection form's working list
  DialogHelp help;

  phonebook::CurrentPhonebook& current() { return *session.current; }
  bool available() const { return !session.current->unavailable; }
};

// Reloads list 601 and sets the enabled states and the caption.
void RefreshPhonebookDialog(HWND dialog, PhonebookDialogState& state);

// The entry list's commands (phonebook_entries.cpp).
void NewRecord(HWND dialog, PhonebookDialogState& state);
void ShowRecordProperties(HWND dialog, PhonebookDialogState& state);
// The Delete key in list 601; true when it was handled.
bool DeleteSelectedRecords(HWND dialog, PhonebookDialogState& state);

// The selection form's commands (selection_form.cpp).
void AddSelectedToRecipients(HWND dialog, PhonebookDialogState& state);
// The Delete key in list 605; true when it was handled.
bool RemoveSelectedRecipientsOnDelete(HWND dialog, PhonebookDialogState& state);
void ShowRecipientProperties(HWND dialog, PhonebookDialogState& state);
void ReadPendingRecipients(HWND dialog, PhonebookDialogState& state);

}  // namespace tq::faxui
