// The fax confirmation prompt: the recipient dialog (101) and then the
// confirmation dialog "Confirmation de télécopie" (108), whose answers go into
// the job's FaxSendBlock only when both end with OK.
#pragma once

#include "common/addon_table.h"
#include "common/recipient_list.h"
#include "faxui/resource_ids.h"
#include "win/export.h"
#include "win/user.h"

namespace tq::faxui {

// What one prompt works on: the recipient list the recipient dialog builds,
// the delayed-send values the confirmation dialog sets, and the host's
// private area of the job being prompted. One per job, passed to the
// dialogs as their init parameter.
struct PromptSession {
  RecipientList recipients{};
  std::int32_t delayedSend = 0;
  std::int32_t hour = 0;
  std::int32_t minute = 0;
  const unsigned char* privateArea = nullptr;
};

// Runs the recipient dialog for the session; 1 for OK, 0 for cancel. The
// plug-in gives the real dialog; tests may give their own.
using RecipientDialogRunner = INT_PTR (*)(HWND owner, PromptSession& session);

// The plug-in's recipient dialog (101, RecipientDlgProc) on the session's
// recipient list.
INT_PTR RunRecipientDialog(HWND owner, PromptSession& session);

// The prompt sequence: 1 when the user confirmed and the send block of
// `settings` was filled, 0 otherwise (the send block is then untouched).
int RunPromptSequence(HWND owner, const AddOnControlBlock* mcb, void* settings,
                      RecipientDialogRunner recipientDialog);

// Copies the session's count, 50 slots and delayed-send values into a send
// block.
void CopyIntoSendBlock(const PromptSession& session, FaxSendBlock& send);

}  // namespace tq::faxui

// The dialog procedure of dialog 108; its init parameter is a
// tq::faxui::PromptSession*. Ends the dialog with 1 for OK, 0 for "Abandonner".
TQ_EXPORT INT_PTR FaxPromptDlgProc(HWND dialog, UINT message,
                                                                         WPARAM wParam, LPARAM lParam);
