// Adding a typed recipient, removing the selected ones, and the
// communication settings of one recipient.
#include <string>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "dialogs/controls.h"
#include "dialogs/edit_filters.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "faxui/text_routines.h"
#include "recipient_dialog_state.h"
#include "recipient_list/comm_dialog.h"
#include "recipient_list/recipient_lines.h"
#include "recipients/recipient_dialog.h"
#include "recipients/speed_dial.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kFieldSize = 31;  // 30 characters and the terminator
void Warn(HWND dialog, const char16_t* text) { ShowMessage(dialog, text, texts::kAddCaption, MB_OK | MB_ICONWARNING); }

// Speed-dial numbers are checked and padded; false when one was refused.
bool AcceptSpeedDial(HWND dialog, const RecipientDialogState& state, char16_t* number) {
  switch (ValidateSpeedDialNumber(number, state.speedDialLimit)) {
    case kSpeedDialWildcardMisuse:
      Warn(dialog, texts::kSpeedDialWildcardMisuse);
      return false;
    case kSpeedDialOutOfRange:
      Warn(dialog, texts::kSpeedDialOutOfRange);
      return false;
    case kSpeedDialValid:
      return true;
  }
  return false;
}

bool ConfirmDuplicate(HWND dialog, const RecordKey& key) {
  const std::u16string line = key.Line();
  const LRESULT found = SendDlgItemMessageW(dialog, rcp::kList, LB_FINDSTRINGEXACT,
                                            static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(line.c_str()));
  if (found == LB_ERR) return true;
  const std::u16string question =
      phonebook::texts::NameAndNumber(key.name, key.number) + phonebook::texts::kAlreadyInList;
  return ShowMessage(dialog, question, texts::kAddCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void SelectOnly(HWND dialog, int listId, int line) {
  SendDlgItemMessageW(dialog, listId, LB_SETSEL, FALSE, -1);
  SendDlgItemMessageW(dialog, listId, LB_SETSEL, TRUE, line);
}

}  // namespace

void AddTypedRecipient(HWND dialog, RecipientDialogState& state) {
  RecipientList& list = *state.recipients;
  char16_t number[kFieldSize] = {};
  ReadEditText(dialog, rcp::kNumberEdit, number, kFieldSize);
  if (number[0] == u'\0') {
    Warn(dialog, texts::kEnterFaxNumber);
    FocusControl(dialog, rcp::kNumberEdit);
    return;
  }
  if (list.block.count >= kMaxRecipients) {
    Warn(dialog, texts::kListFull);
    return;
  }
  if (state.speedDialMode && !AcceptSpeedDial(dialog, state, number)) return;

  char16_t name[kFieldSize] = {};
  ReadEditText(dialog, rcp::kNameEdit, name, kFieldSize);
  TrimWide(name);

  const RecordKey key = state.speedDialMode ? RecordKey::SpeedDial(name, number) : RecordKey::Individual(name, number);
  if (!ConfirmDuplicate(dialog, key)) return;

  const int slot = list.block.count;
  AddListLine(dialog, rcp::kList, key.Line());
  EntryRecord& record = list.block.records[slot];
  record = DefaultEntryRecord;
  WideToAnsiSlot(name, record.name, WC_COMPOSITECHECK);
  WideToAnsiSlot(number, record.faxNumber, WC_COMPOSITECHECK);
  record.speedDialFlag = state.speedDialMode ? 1 : 0;
  EntryDetails& details = list.details[slot];
  ClearEntryDetails(details);
  std::char_traits<char16_t>::copy(details.name, name, kFieldSize);
  std::char_traits<char16_t>::copy(details.faxNumber, number, kFieldSize);
  list.block.count = slot + 1;

  SelectOnly(dialog, rcp::kList, slot);
  ApplyRecipientButtonStates(dialog, state);
  FocusControl(dialog, rcp::kList);
  SetDlgItemTextW(dialog, rcp::kNameEdit, u"");
  SetDlgItemTextW(dialog, rcp::kNumberEdit, u"");
}

bool RemoveRecipientsOnDelete(HWND dialog, RecipientDialogState& state, HWND list) {
  if (list == nullptr || list != GetDlgItem(dialog, rcp::kList)) return false;
  if (SendMessageW(list, LB_GETSELCOUNT, 0, 0) <= 0) return false;
  if (ShowMessage(dialog, texts::kRemoveQuestion, texts::kRemoveCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  RemoveSelectedRecipients(dialog, rcp::kList, *state.recipients);
  ApplyRecipientButtonStates(dialog, state);
  return true;
}

void OpenCommSettings(HWND dialog, RecipientDialogState& state) {
  const std::vector<int> lines = SelectedLines(dialog, rcp::kList, kMaxRecipients);
  if (lines.size() != 1) {
    ShowMessage(dialog, texts::kCommNeedsOneLine, texts::kCommCaption, MB_OK | MB_ICONERROR);
    return;
  }
  const int slot = lines[0];
  RecipientListBlock& block = state.recipients->block;
  // A speed-dial number carries the device's own settings.
  if (slot >= block.count || block.records[slot].speedDialFlag == 1) return;
  state.workingRecord = block.records[slot];
  CommDialogParams params{&state.workingRecord, state.g4Available};
  const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kCommDialogId), dialog,
                                         CommDlgProc, reinterpret_cast<LPARAM>(&params));
  if (result == 1) block.records[slot] = state.workingRecord;
}

}  // namespace tq::faxui
