// The recipient dialog's procedure: opening, the speed-dial mode, the edit
// filters, the button states, OK, "Annuler" and help.
#include "recipients/recipient_dialog.h"

#include "common/byte_order.h"
#include "common/host_settings.h"
#include <memory>

#include "dialogs/controls.h"
#include "win/dialog_state.h"
#include "dialogs/edit_filters.h"
#include "dialogs/help.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_operations.h"
#include "recipient_dialog_state.h"
#include "recipients/speed_dial.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kTextLimit = 30;
constexpr int kEditBufferSize = 64;  // above any limit, so a filter sees the whole text
constexpr const char16_t* kNoPhonebook = texts::kNoPhonebook;

bool PhonebookAvailable(const RecipientDialogState& state) { return !state.phonebook.unavailable; }

// Locate, then validate; the store's own messages tell the user why not.
void DecidePhonebook(HWND dialog, RecipientDialogState& state) {
  phonebook::CurrentPhonebook& current = state.phonebook;
  const bool located = phonebook::LocateCurrentPhonebook(dialog, current);
  current.unavailable = !located || !phonebook::ValidateCurrentPhonebook(dialog, current.path);
}

bool Initialise(HWND dialog, const RecipientDialogParams& params) {
  RecipientDialogState* state = &tq::AttachDialogState(dialog, std::make_unique<RecipientDialogState>());
  state->recipients = params.recipients;
  if (params.phonebook != nullptr) state->phonebookDialogs = *params.phonebook;

  LimitText(dialog, rcp::kNameEdit, kTextLimit);
  LimitText(dialog, rcp::kNumberEdit, kTextLimit);
  SetDlgItemTextW(dialog, rcp::kNameEdit, u"");
  SetDlgItemTextW(dialog, rcp::kNumberEdit, u"");
  ShowControl(dialog, rcp::kSpeedDialLabel200, false);
  ShowControl(dialog, rcp::kSpeedDialLabel999, false);
  ShowControl(dialog, rcp::kFaxNumberLabel, true);
  CheckDlgButton(dialog, rcp::kSpeedDialCheck, BST_UNCHECKED);
  state->speedDialMode = false;

  // Decided at every opening: the device's options may change between jobs.
  const unsigned char* area = params.hostPrivateArea;
  state->g4Available = area != nullptr && ReadInt32(area, hsb::priv::kG4Option) != 0;
  state->speedDialLimit = SpeedDialLimit(area);

  DecidePhonebook(dialog, *state);

  state->recipients->block.count = 0;
  state->working.count = 0;
  ShowCurrentPhonebook(dialog, *state);

  EnableControl(dialog, rcp::kDetailsButton, false);
  EnableControl(dialog, rcp::kRemoveButton, false);
  EnableControl(dialog, rcp::kCommButton, false);
  EnableControl(dialog, rcp::kStoreButton, false);
  EnableControl(dialog, rcp::kAddButton, true);
  SetFocus(GetDlgItem(dialog, rcp::kNameEdit));
  return true;
}

void SetSpeedDialMode(HWND dialog, RecipientDialogState& state) {
  const bool checked = IsDlgButtonChecked(dialog, rcp::kSpeedDialCheck) == BST_CHECKED;
  if (checked == state.speedDialMode) return;
  SetDlgItemTextW(dialog, rcp::kNumberEdit, u"");
  state.speedDialMode = checked;
  const bool large = state.speedDialLimit == kSpeedDialLimitLarge;
  ShowControl(dialog, rcp::kSpeedDialLabel999, checked && large);
  ShowControl(dialog, rcp::kSpeedDialLabel200, checked && !large);
  ShowControl(dialog, rcp::kFaxNumberLabel, !checked);
  LimitText(dialog, rcp::kNumberEdit, checked ? kSpeedDialLength : kTextLimit);
}

void FilterName(HWND dialog) {
  char16_t text[kEditBufferSize];
  ReadEditText(dialog, rcp::kNameEdit, text, kEditBufferSize);
  // Square brackets mark group lines in the phonebook.
  FilterEditText(dialog, rcp::kNameEdit, text, u'[', u']', FilterType::RefuseLowAndHigh);
}

void FilterNumber(HWND dialog, const RecipientDialogState& state) {
  char16_t text[kEditBufferSize];
  ReadEditText(dialog, rcp::kNumberEdit, text, kEditBufferSize);
  if (state.speedDialMode) {
    FilterEditText(dialog, rcp::kNumberEdit, text, u'0', u'9', FilterType::RangeAndStar);
  } else {
    FilterFaxNumber(dialog, rcp::kNumberEdit, text);
  }
}

void Command(HWND dialog, RecipientDialogState& state, int id, WORD code) {
  switch (id) {
    case rcp::kNameEdit:
      if (code == EN_CHANGE) FilterName(dialog);
      return;
    case rcp::kNumberEdit:
      if (code == EN_CHANGE) FilterNumber(dialog, state);
      return;
    case rcp::kSpeedDialCheck:
      if (code == BN_CLICKED) SetSpeedDialMode(dialog, state);
      return;
    case rcp::kAddButton:
      if (code == BN_CLICKED) AddTypedRecipient(dialog, state);
      return;
    case rcp::kRemoveButton:
      if (code == BN_CLICKED) {
        HWND list = GetDlgItem(dialog, rcp::kList);
        PostMessageW(dialog, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0), reinterpret_cast<LPARAM>(list));
      }
      return;
    case rcp::kList:
      if (code == LBN_DBLCLK) {
        if (state.recipients->block.count > 0) ShowRecipientDetails(dialog, state);
      }
      ApplyRecipientButtonStates(dialog, state);
      return;
    case rcp::kDetailsButton:
      if (code == BN_CLICKED) ShowRecipientDetails(dialog, state);
      return;
    case rcp::kSearchPhonebookButton:
      if (code == BN_CLICKED) SearchPhonebook(dialog, state);
      return;
    case rcp::kStoreButton:
      if (code == BN_CLICKED) StoreSelectedRecipients(dialog, state);
      return;
    case rcp::kCommButton:
      if (code == BN_CLICKED && state.recipients->block.count > 0) OpenCommSettings(dialog, state);
      return;
    case rcp::kHelpButton:
      if (code == BN_CLICKED) OpenDialogHelp(dialog, state.help, kRecipientHelpContext);
      return;
    case IDOK:
      if (state.recipients->block.count == 0) {
        ShowMessage(dialog, texts::kNoRecipient, texts::kFaxCaption, MB_OK | MB_ICONERROR);
        return;
      }
      EndDialogClosingHelp(dialog, state.help, 1);
      return;
    case IDCANCEL:
      EndDialogClosingHelp(dialog, state.help, 0);
      return;
    case rcp::kImportButton:
      if (code == BN_CLICKED) StartImportIntoList(dialog, state);
      return;
    case rcp::kImportDone:
    case rcp::kImportDoneOther:
      TakeImportedRecipients(dialog, state, id);
      return;
    default:
      return;
  }
}

}  // namespace

RecipientDialogState* RecipientStateOf(HWND dialog) {
  if (GetDlgItem(dialog, rcp::kList) == nullptr) return nullptr;
  return DialogStateOf<RecipientDialogState>(dialog);
}

void ShowCurrentPhonebook(HWND dialog, const RecipientDialogState& state) {
  SetDlgItemTextW(dialog, rcp::kPhonebookPath,
                  PhonebookAvailable(state) ? state.phonebook.path.c_str() : kNoPhonebook);
}

void ApplyRecipientButtonStates(HWND dialog, const RecipientDialogState& state) {
  const RecipientList& list = *state.recipients;
  const int count = list.block.count;
  const std::vector<int> lines = SelectedLines(dialog, rcp::kList, kMaxRecipients);
  const bool one = lines.size() == 1 && lines[0] < count;
  EnableControl(dialog, rcp::kAddButton, count < kMaxRecipients);
  EnableControl(dialog, rcp::kDetailsButton, one && list.details[lines[0]].detailsAvailable == 1);
  EnableControl(dialog, rcp::kCommButton, one && list.block.records[lines[0]].speedDialFlag != 1);
  EnableControl(dialog, rcp::kRemoveButton, count > 0);
  EnableControl(dialog, rcp::kStoreButton, PhonebookAvailable(state) && count > 0);
}

}  // namespace tq::faxui

using tq::faxui::RecipientDialogState;

extern "C" INT_PTR RecipientDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* params = reinterpret_cast<const tq::faxui::RecipientDialogParams*>(lParam);
    if (params == nullptr || params->recipients == nullptr) {
      EndDialog(dialog, 0);  // nowhere to put recipients: nothing can be sent
      return FALSE;
    }
    tq::faxui::Initialise(dialog, *params);
    return FALSE;  // the focus is on the name field already
  }
  if (tq::faxui::RecipientStateOf(dialog) == nullptr) return FALSE;
  return tq::WithDialogState<RecipientDialogState>(dialog, message, [&](RecipientDialogState& state) -> INT_PTR {
    switch (message) {
      case WM_COMMAND:
        tq::faxui::Command(dialog, state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_HELP:  // F1: the dialog's topic, as "Aide" opens it
        tq::faxui::OpenDialogHelp(dialog, state.help, tq::faxui::kRecipientHelpContext);
        return TRUE;
      case WM_VKEYTOITEM:
        if (LOWORD(wParam) == VK_DELETE &&
            tq::faxui::RemoveRecipientsOnDelete(dialog, state, reinterpret_cast<HWND>(lParam))) {
          return -2;  // handled: the list box does nothing more
        }
        return -1;
      default:
        return FALSE;
    }
  });
}
