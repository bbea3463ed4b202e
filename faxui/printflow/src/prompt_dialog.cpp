// Dialog 108: the recipients once more, and the delayed send with its hour
// and minute fields. It closes only through "OK" and "Abandonner"; Escape's
// cancel command and every other command are ignored.
#include <cstdio>
#include <cstring>

#include "faxui/dialog_controls.h"
#include "faxui/help_file.h"
#include "printflow/prompt.h"
#include "recipients/recipient_dialog.h"

namespace tq::faxui {

namespace {

constexpr int kTimeFieldLength = 2;

PromptSession* SessionOf(HWND dialog) {
  return reinterpret_cast<PromptSession*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void ShowValue(HWND dialog, int field, int value) {
  char16_t text[8] = {};
  char narrow[8] = {};
  std::snprintf(narrow, sizeof narrow, "%d", value);
  for (int i = 0; narrow[i] != '\0'; ++i) text[i] = static_cast<char16_t>(narrow[i]);
  SetDlgItemTextW(dialog, field, text);
}

// The hour or minute field after a change: a character other than a digit
// is taken out (the change this makes comes back here), a value in range is
// kept, a larger one is refused and the last kept value shown again.
void FilterTimeField(HWND dialog, int field, PromptSession& session) {
  char16_t text[kTimeFieldLength + 1] = {};
  GetDlgItemTextW(dialog, field, text, kTimeFieldLength + 1);
  for (int i = 0; text[i] != u'\0'; ++i) {
    if (text[i] < u'0' || text[i] > u'9') {
      MessageBeep(0);
      text[i] = u'\0';
      SendDlgItemMessageW(dialog, field, EM_SETSEL, 0, i + 1);
      SendDlgItemMessageW(dialog, field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
      return;
    }
  }
  int value = 0;
  for (int i = 0; text[i] != u'\0'; ++i) value = value * 10 + (text[i] - u'0');
  const bool hour = field == kPromptHour;
  std::int32_t& kept = hour ? session.hour : session.minute;
  if (value <= (hour ? 23 : 59)) {
    kept = value;
    return;
  }
  MessageBeep(0);
  ShowValue(dialog, field, kept);
}

void InitDialog(HWND dialog, PromptSession& session) {
  // The recipients in list order, in the same lines as the recipient dialog.
  FillRecipientListBox(dialog, kPromptRecipientList, session.recipients.block);
  session.delayedSend = 0;
  session.hour = 0;
  session.minute = 0;
  session.helpOpened = false;
  SendDlgItemMessageW(dialog, kPromptHour, EM_LIMITTEXT, kTimeFieldLength, 0);
  SendDlgItemMessageW(dialog, kPromptMinute, EM_LIMITTEXT, kTimeFieldLength, 0);
  CheckDlgButton(dialog, kPromptDelayedSend, BST_UNCHECKED);
  EnableControl(dialog, kPromptHour, false);
  EnableControl(dialog, kPromptMinute, false);
  SetDlgItemTextW(dialog, kPromptHour, u"00");
  SetDlgItemTextW(dialog, kPromptMinute, u"00");
  SetFocus(GetDlgItem(dialog, kPromptOk));
}

void Close(HWND dialog, PromptSession& session, INT_PTR result) {
  if (session.helpOpened) {
    WinHelpW(dialog, ModuleHelpFile(), HELP_QUIT, 0);
    session.helpOpened = false;
  }
  EndDialog(dialog, result);
}

void OnCommand(HWND dialog, PromptSession& session, int id, int notification) {
  switch (id) {
    case kPromptDelayedSend: {
      session.delayedSend = IsDlgButtonChecked(dialog, kPromptDelayedSend) == BST_CHECKED ? 1 : 0;
      EnableControl(dialog, kPromptHour, session.delayedSend == 1);
      EnableControl(dialog, kPromptMinute, session.delayedSend == 1);
      break;
    }
    case kPromptHour:
    case kPromptMinute:
      if (notification == EN_CHANGE && session.delayedSend == 1) FilterTimeField(dialog, id, session);
      break;
    case kPromptHelp:
      if (LPCWSTR file = ModuleHelpFile(); file != nullptr) {
        WinHelpW(dialog, file, HELP_CONTEXT, kPromptHelpContext);
        session.helpOpened = true;
      }
      break;
    case kPromptOk:
      Close(dialog, session, 1);
      break;
    case kPromptAbandon:
      Close(dialog, session, 0);
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
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    if (session != nullptr) InitDialog(dialog, *session);
    return FALSE;  // the focus is set on OK
  }
  PromptSession* session = SessionOf(dialog);
  if (session == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    OnCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  if (message == WM_HELP) {  // F1: the dialog's topic, as "Aide" opens it
    OnCommand(dialog, *session, kPromptHelp, BN_CLICKED);
    return TRUE;
  }
  return FALSE;
}
