// Dialog 108: the recipients once more, and the delayed send with its hour
// and minute fields. It closes only through "OK" and "Abandonner"; Escape's
// cancel command and every other command are ignored.
#include <memory>

#include "dialogs/controls.h"
#include "win/dialog_state.h"
#include "dialogs/edit_filters.h"
#include "dialogs/help.h"
#include "faxui/resource_ids.h"
#include "printflow/prompt.h"
#include "recipient_list/recipient_lines.h"

namespace tq::faxui {

namespace {

constexpr int kTimeFieldLength = 2;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;

// What dialog 108 keeps while it is open: the session it works on (the
// caller's) and its help file.
struct PromptDialogState {
  PromptSession* session = nullptr;
  DialogHelp help;
};

void InitDialog(HWND dialog, PromptSession& session) {
  // The recipients in list order, in the same lines as the recipient dialog.
  FillRecipientListBox(dialog, kPromptRecipientList, session.recipients.block);
  session.delayedSend = 0;
  session.hour = 0;
  session.minute = 0;
  LimitText(dialog, kPromptHour, kTimeFieldLength);
  LimitText(dialog, kPromptMinute, kTimeFieldLength);
  CheckDlgButton(dialog, kPromptDelayedSend, BST_UNCHECKED);
  EnableControl(dialog, kPromptHour, false);
  EnableControl(dialog, kPromptMinute, false);
  SetDlgItemTextW(dialog, kPromptHour, u"00");
  SetDlgItemTextW(dialog, kPromptMinute, u"00");
  FocusControl(dialog, kPromptOk);
}

void OnCommand(HWND dialog, PromptDialogState& state, int id, int notification) {
  PromptSession& session = *state.session;
  switch (id) {
    case kPromptDelayedSend: {
      session.delayedSend = IsDlgButtonChecked(dialog, kPromptDelayedSend) == BST_CHECKED ? 1 : 0;
      EnableControl(dialog, kPromptHour, session.delayedSend == 1);
      EnableControl(dialog, kPromptMinute, session.delayedSend == 1);
      break;
    }
    case kPromptHour:
      if (notification == EN_CHANGE && session.delayedSend == 1) {
        FilterBoundedNumber(dialog, id, kTimeFieldLength, kLastHour, session.hour);
      }
      break;
    case kPromptMinute:
      if (notification == EN_CHANGE && session.delayedSend == 1) {
        FilterBoundedNumber(dialog, id, kTimeFieldLength, kLastMinute, session.minute);
      }
      break;
    case kPromptHelp:
      OpenDialogHelp(dialog, state.help, kPromptHelpContext);
      break;
    case kPromptOk:
      EndDialogClosingHelp(dialog, state.help, 1);
      break;
    case kPromptAbandon:
      EndDialogClosingHelp(dialog, state.help, 0);
      break;
    default:
      break;  // IDCANCEL (Escape) included: the dialog stays open
  }
}

}  // namespace

}  // namespace tq::faxui

INT_PTR FaxPromptDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace tq::faxui;
  if (message == WM_INITDIALOG) {
    auto* session = reinterpret_cast<PromptSession*>(lParam);
    if (session != nullptr) {
      tq::AttachDialogState(dialog, std::make_unique<PromptDialogState>(PromptDialogState{session, {}}));
      InitDialog(dialog, *session);
    }
    return FALSE;  // the focus is set on OK
  }
  return tq::WithDialogState<PromptDialogState>(dialog, message, [&](PromptDialogState& state) -> INT_PTR {
    switch (message) {
      case WM_COMMAND:
        OnCommand(dialog, state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_HELP:  // F1: the dialog's topic, as "Aide" opens it
        OpenDialogHelp(dialog, state.help, kPromptHelpContext);
        return TRUE;
      default:
        return FALSE;
    }
  });
}
