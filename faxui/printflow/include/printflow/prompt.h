// The fax confirmation prompt: the recipient dialog (101) and then the
// confirmation dialog "Confirmation de télécopie" (108), whose answers go into
// the job's FaxSendBlock only when both end with OK.
#pragma once

#include <span>

#include "common/addon_table.h"
#include "common/recipient_list.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui {

inline constexpr int kFaxPromptDialog = 108;

// Controls of dialog 108.
inline constexpr int kPromptRecipientList = 800;
inline constexpr int kPromptOk = 801;
inline constexpr int kPromptAbandon = 802;
inline constexpr int kPromptDelayedSend = 803;
inline constexpr int kPromptHour = 804;
inline constexpr int kPromptMinute = 805;
inline constexpr int kPromptHelp = 806;
inline constexpr ULONG_PTR kPromptHelpContext = 15609;

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
  bool helpOpened = false;  // the help file was opened from dialog 108
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

// Dialog 108's template, for the plug-in's resource script.
std::span<const res::ControlTemplate> FaxPromptDialogControls();
res::DialogTemplate FaxPromptDialogTemplate();

}  // namespace tq::faxui

// The dialog procedure of dialog 108; its init parameter is a
// tq::faxui::PromptSession*. Ends the dialog with 1 for OK, 0 for "Abandonner".
extern "C" __attribute__((visibility("default"))) INT_PTR FaxPromptDlgProc(HWND dialog, UINT message,
                                                                         WPARAM wParam, LPARAM lParam);
