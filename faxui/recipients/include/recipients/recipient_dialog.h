// The recipient dialog (template 101): the user builds the job's recipient
// list from typed fax numbers and device speed-dial numbers, each with its
// own communication settings. Open it with
//   RecipientDialogParams params{&recipients, hostPrivateArea};
//   DialogBoxParamW(instance, MAKEINTRESOURCEW(101), owner, RecipientDlgProc,
//                   reinterpret_cast<LPARAM>(&params));
// It ends with 1 (OK, at least one recipient in the list) or 0 (cancelled).
#pragma once

#include "common/recipient_list.h"
#include "phonebook/current_phonebook.h"
#include "win/export.h"
#include "win/types.h"

namespace tq::faxui {

// The phonebook dialogs behind "Rec&hercher dans l'annuaire..." (1010) and
// "Inf&ormations destinataire" (1009). They are built over this library's
// communication settings dialog, so whoever opens the recipient dialog
// hands them in; without them the two buttons do nothing.
struct RecipientPhonebookDialogs {
  // The selection form on a working copy of the list; 1 when it ended
  // with OK. It may change the current phonebook.
  INT_PTR (*selectRecipients)(HWND owner, RecipientList& working, phonebook::CurrentPhonebook& current) = nullptr;
  // The read-only details view.
  void (*showDetails)(HWND owner, const EntryDetails& details) = nullptr;
};

struct RecipientDialogParams {
  // Emptied at opening; holds the chosen recipients when the dialog ends
  // with 1. Must stay valid while the dialog is open.
  RecipientList* recipients = nullptr;
  // The job's host private area, read at opening for the G4 option (680)
  // and the speed-dial range (832); null reads both as 0.
  const unsigned char* hostPrivateArea = nullptr;
  const RecipientPhonebookDialogs* phonebook = nullptr;
};

}  // namespace tq::faxui

// The dialog procedures, exported from the plug-in by name.
TQ_EXPORT INT_PTR RecipientDlgProc(HWND dialog,
                                                                           UINT message,
                                                                           WPARAM wParam,
                                                                           LPARAM lParam);
