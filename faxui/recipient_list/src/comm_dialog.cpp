// The communication settings dialog's procedure: opening, the fields that
// write into the record as they change, the send mode check boxes, OK,
// "Annuler" and help.
#include "recipient_list/comm_dialog.h"

#include <string>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "comm_dialog_state.h"
#include <memory>

#include "dialogs/controls.h"
#include "recipient_list/texts.h"
#include "win/dialog_state.h"
#include "dialogs/edit_filters.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kEditBufferSize = 64;
constexpr int kModeTextSize = 64 + 1;
constexpr std::size_t kFCodeUnits = 20;     // 21 with the terminator
constexpr std::size_t kMailboxUnits = 4;    // 5 with the terminator
constexpr const char16_t* kTitle = texts::kCommCaption;

constexpr int kMailboxGroup[] = {comm::kMailboxLabel, comm::kMailboxEdit, comm::kMailboxPasswordLabel,
                                 comm::kMailboxPasswordEdit};
constexpr int kRelayGroup[] = {comm::kRelayTerminalLabel, comm::kRelayTerminalEdit,
                               comm::kPrintOnRelayCheck,  comm::kDestinationEdit,
                               comm::kGroupCheck,         comm::kDestinationListLabel,
                               comm::kDestinationList,    comm::kAddDestinationButton,
                               comm::kRemoveDestinationButton};

void ShowMailboxGroup(HWND dialog, bool show) {
  for (int id : kMailboxGroup) ShowAndEnable(dialog, id, show);
}

// The destination field's label and length follow the group mode.
void ShowDestinationLabel(HWND dialog, const CommDialogState& state) {
  ShowAndEnable(dialog, comm::kDestinationLabel9, state.groupMode);
  ShowAndEnable(dialog, comm::kDestinationLabel99, !state.groupMode);
  LimitText(dialog, comm::kDestinationEdit, state.groupMode ? 1 : 2);
}

bool OwnedByRecipientDialog(HWND dialog) {
  HWND owner = GetParent(dialog);
  return owner != nullptr && GetDlgItem(owner, rcp::kList) != nullptr;
}

void SetTitle(HWND dialog, const EntryRecord& record, bool forRecipient) {
  if (!forRecipient) {
    SetWindowTextW(dialog, kTitle);
    return;
  }
  // The recipient as its list line shows it.
  const std::u16string title = std::u16string(kTitle) + u" - " + RecordKey::Of(record).Line();
  SetWindowTextW(dialog, title.c_str());
}

void FillModes(HWND dialog, EntryRecord& record, std::span<const int> modes) {
  int count = 0;
  for (int id : modes) {
    if (id == kTransmissionModeEnd) break;
    // As a 65-unit buffer would take it.
    const std::u16string text = PluginString(static_cast<UINT>(id)).substr(0, kModeTextSize - 1);
    SendDlgItemMessageW(dialog, comm::kModeList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ++count;
  }
  // An index the list does not have (a mode cut from the recipients' list,
  // or a damaged record) falls back to the default mode.
  if (record.transmissionMode < 0 || record.transmissionMode >= count) {
    record.transmissionMode = DefaultEntryRecord.transmissionMode;
  }
  SendDlgItemMessageW(dialog, comm::kModeList, CB_SETCURSEL,
                      static_cast<WPARAM>(record.transmissionMode), 0);
}

void SetText(HWND dialog, int id, const std::u16string& text) { SetDlgItemTextW(dialog, id, text.c_str()); }

void Initialise(HWND dialog, CommDialogState& state) {
  EntryRecord& record = *state.record;
  const bool forRecipient = OwnedByRecipientDialog(dialog);
  SetTitle(dialog, record, forRecipient);

  LimitText(dialog, comm::kMailboxEdit, 3);
  LimitText(dialog, comm::kMailboxPasswordEdit, 4);
  LimitText(dialog, comm::kRelayTerminalEdit, 2);
  LimitText(dialog, comm::kFCodeEdit, 20);
  LimitText(dialog, comm::kFCodePasswordEdit, 20);

  FillModes(dialog, record,
            forRecipient ? RecipientTransmissionModes(state.g4Available) : PhonebookTransmissionModes());

  SetText(dialog, comm::kFCodeEdit, AnsiSlotToWide(record.fCode, kFCodeUnits));
  SetText(dialog, comm::kFCodePasswordEdit, AnsiSlotToWide(record.fCodePassword, kFCodeUnits));

  const bool secure = record.sendMode == '4';
  CheckDlgButton(dialog, comm::kSecureCheck, secure ? BST_CHECKED : BST_UNCHECKED);
  ShowMailboxGroup(dialog, secure);
  SetText(dialog, comm::kMailboxEdit, AnsiSlotToWide(record.mailboxId, kMailboxUnits));
  SetText(dialog, comm::kMailboxPasswordEdit, AnsiSlotToWide(record.mailboxPassword, kMailboxUnits));

  const bool relay = record.sendMode == '1';
  CheckDlgButton(dialog, comm::kRelayCheck, relay ? BST_CHECKED : BST_UNCHECKED);
  ShowRelayGroup(dialog, state, relay);
  SetText(dialog, comm::kRelayTerminalEdit, AnsiSlotToWide(record.relayTerminalId, kMailboxUnits));
  CheckDlgButton(dialog, comm::kPrintOnRelayCheck,
                 record.printOnRelay == '1' ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextW(dialog, comm::kDestinationEdit, u"");
  FillDestinationList(dialog, record);
  if (relay) SetDestinationButtons(dialog, record);

  SetFocus(GetDlgItem(dialog, IDOK));
}

// The digit fields write their text into the record once it passes.
void DigitsChanged(HWND dialog, int id, char* slot, std::size_t slotSize, FilterType type) {
  char16_t text[kEditBufferSize];
  ReadEditText(dialog, id, text, kEditBufferSize);
  if (FilterEditText(dialog, id, text, u'0', u'9', type)) WideToAnsiSlot(text, slot, slotSize, WC_COMPOSITECHECK);
}

void SecureClicked(HWND dialog, CommDialogState& state) {
  EntryRecord& record = *state.record;
  const bool checked = IsDlgButtonChecked(dialog, comm::kSecureCheck) == BST_CHECKED;
  if (checked == (record.sendMode == '4')) return;
  if (checked && record.sendMode == '1') {
    CheckDlgButton(dialog, comm::kRelayCheck, BST_UNCHECKED);
    ShowRelayGroup(dialog, state, false);
  }
  ShowMailboxGroup(dialog, checked);
  record.sendMode = checked ? '4' : '0';
}

void RelayClicked(HWND dialog, CommDialogState& state) {
  EntryRecord& record = *state.record;
  const bool checked = IsDlgButtonChecked(dialog, comm::kRelayCheck) == BST_CHECKED;
  if (checked == (record.sendMode == '1')) return;
  if (checked && record.sendMode == '4') {
    CheckDlgButton(dialog, comm::kSecureCheck, BST_UNCHECKED);
    ShowMailboxGroup(dialog, false);
  }
  ShowRelayGroup(dialog, state, checked);
  if (checked) SetDestinationButtons(dialog, record);
  record.sendMode = checked ? '1' : '0';
}

void Command(HWND dialog, CommDialogState& state, int id, WORD code) {
  EntryRecord& record = *state.record;
  const bool changed = code == EN_CHANGE;
  const bool clicked = code == BN_CLICKED;
  switch (id) {
    case comm::kMailboxEdit:
      if (changed) DigitsChanged(dialog, id, record.mailboxId, sizeof record.mailboxId, FilterType::OnlyRange);
      return;
    case comm::kMailboxPasswordEdit:
      if (changed) {
        DigitsChanged(dialog, id, record.mailboxPassword, sizeof record.mailboxPassword,
                      FilterType::OnlyRange);
      }
      return;
    case comm::kRelayTerminalEdit:
      if (changed) {
        DigitsChanged(dialog, id, record.relayTerminalId, sizeof record.relayTerminalId,
                      FilterType::OnlyRange);
      }
      return;
    case comm::kFCodeEdit:
      if (changed) DigitsChanged(dialog, id, record.fCode, sizeof record.fCode, FilterType::OnlyRange);
      return;
    case comm::kFCodePasswordEdit:
      if (changed) {
        DigitsChanged(dialog, id, record.fCodePassword, sizeof record.fCodePassword,
                      FilterType::RangeStarAndHash);
      }
      return;
    case comm::kDestinationEdit:
      if (changed) FilterDestination(dialog, state);
      return;
    case comm::kModeList: {
      const LRESULT at = SendDlgItemMessageW(dialog, comm::kModeList, CB_GETCURSEL, 0, 0);
      if (at != CB_ERR) record.transmissionMode = static_cast<std::int32_t>(at);
      return;
    }
    case comm::kPrintOnRelayCheck:
      if (clicked) {
        record.printOnRelay = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? '1' : '0';
      }
      return;
    case comm::kGroupCheck:
      if (clicked) {
        state.groupMode = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        ShowDestinationLabel(dialog, state);
      }
      return;
    case comm::kSecureCheck:
      if (clicked) SecureClicked(dialog, state);
      return;
    case comm::kRelayCheck:
      if (clicked) RelayClicked(dialog, state);
      return;
    case comm::kAddDestinationButton:
      if (clicked && record.destinationCount < kMaxDestinations) AddDestination(dialog, state);
      return;
    case comm::kRemoveDestinationButton:
      if (clicked && record.destinationCount > 0) RemoveDestinations(dialog, state);
      return;
    case comm::kHelpButton:
      if (clicked) OpenDialogHelp(dialog, state.help, kCommHelpContext);
      return;
    case IDOK:
      if (ValidateCommSettings(dialog, record)) EndDialogClosingHelp(dialog, state.help, 1);
      return;
    case IDCANCEL:
      EndDialogClosingHelp(dialog, state.help, 2);
      return;
    default:
      return;
  }
}

}  // namespace

void ShowRelayGroup(HWND dialog, const CommDialogState& state, bool show) {
  for (int id : kRelayGroup) ShowAndEnable(dialog, id, show);
  if (show) {
    ShowDestinationLabel(dialog, state);
  } else {
    ShowAndEnable(dialog, comm::kDestinationLabel9, false);
    ShowAndEnable(dialog, comm::kDestinationLabel99, false);
  }
}

void SetDestinationButtons(HWND dialog, const EntryRecord& record) {
  EnableControl(dialog, comm::kRemoveDestinationButton, record.destinationCount > 0);
  EnableControl(dialog, comm::kAddDestinationButton, record.destinationCount < kMaxDestinations);
}

}  // namespace tq::faxui

using tq::faxui::CommDialogState;

extern "C" INT_PTR CommDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* params = reinterpret_cast<const tq::faxui::CommDialogParams*>(lParam);
    if (params == nullptr || params->record == nullptr) {
      EndDialog(dialog, 2);  // no record to edit: as if cancelled
      return FALSE;
    }
    CommDialogState& state = tq::AttachDialogState(dialog, std::make_unique<CommDialogState>());
    state.record = params->record;
    state.g4Available = params->g4Available;
    tq::faxui::Initialise(dialog, state);
    return FALSE;  // the focus is on OK
  }
  return tq::WithDialogState<CommDialogState>(dialog, message, [&](CommDialogState& state) -> INT_PTR {
    switch (message) {
      case WM_COMMAND:
        tq::faxui::Command(dialog, state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_HELP:  // F1: the dialog's topic, as "Aide" opens it
        tq::faxui::OpenDialogHelp(dialog, state.help, tq::faxui::kCommHelpContext);
        return TRUE;
      default:
        return FALSE;
    }
  });
}
