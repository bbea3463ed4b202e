// What the recipient dialog keeps while it is open, its dialog state from
// WM_INITDIALOG to WM_DESTROY.
#pragma once

#include <vector>

#include "common/recipient_list.h"
#include "dialogs/help.h"
#include "phonebook/current_phonebook.h"
#include "recipients/recipient_dialog.h"
#include "win/types.h"

namespace tq::faxui {

struct RecipientDialogState {
  RecipientList* recipients = nullptr;
  // Where the phonebook selection form and the import reader hand
  // recipients back.
  RecipientListBlock working{};
  // The record the communication settings dialog edits.
  EntryRecord workingRecord{};
  bool g4Available = false;
  int speedDialLimit = 0;
  bool speedDialMode = false;
  // Located and validated at opening; unavailable for as long as the
  // dialog stays open when either failed.
  phonebook::CurrentPhonebook phonebook;
  RecipientPhonebookDialogs phonebookDialogs;
  DialogHelp help;
};

// The state of an open recipient dialog; null for any other window.
RecipientDialogState* RecipientStateOf(HWND dialog);

// The button state table, applied from the list's count and selection.
void ApplyRecipientButtonStates(HWND dialog, const RecipientDialogState& state);

// Handlers of the list's commands (recipient_list_commands.cpp).
void AddTypedRecipient(HWND dialog, RecipientDialogState& state);
// WM_VKEYTOITEM: the Delete key in the list, or "&Retirer de la liste".
// True when the key was handled.
bool RemoveRecipientsOnDelete(HWND dialog, RecipientDialogState& state, HWND list);
void OpenCommSettings(HWND dialog, RecipientDialogState& state);

// The phonebook buttons (recipient_phonebook_commands.cpp): the details
// view (1009), the selection form (1010) and storing the selected
// recipients (1011).
void ShowRecipientDetails(HWND dialog, RecipientDialogState& state);
void SearchPhonebook(HWND dialog, RecipientDialogState& state);
void StoreSelectedRecipients(HWND dialog, RecipientDialogState& state);
// "--Aucun--" or the current phonebook's path in 1016.
void ShowCurrentPhonebook(HWND dialog, const RecipientDialogState& state);

}  // namespace tq::faxui
