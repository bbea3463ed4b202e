// Adding a typed recipient, removing the selected ones, and the
// communication settings of one recipient.
#include <string>

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
#include "recipients/recipient_addition.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kFieldSize = kRecipientTextLength + 1;
void Warn(HWND dialog, const char16_t* text) { ShowMessage(dialog, text, texts::kAddCaption, MB_OK | MB_ICONWARNING); }

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
  switch (CheckTypedRecipient(list, number, state.speedDialMode, state.speedDialLimit)) {
    case AddRefusal::None: break;
    case AddRefusal::EmptyNumber:
      Warn(dialog, texts::kEnterFaxNumber);
      FocusControl(dialog, rcp::kNumberEdit);
      return;
    case AddRefusal::ListFull: Warn(dialog, texts::kListFull); return;
    case AddRefusal::WildcardMisuse: Warn(dialog, texts::kSpeedDialWildcardMisuse); return;
    case AddRefusal::SpeedDialOutOfRange: Warn(dialog, texts::kSpeedDialOutOfRange); return;
  }

  char16_t name[kFieldSize] = {};
  ReadEditText(dialog, rcp::kNameEdit, name, kFieldSize);
  TrimWide(name);

  const RecordKey key = state.speedDialMode ? RecordKey::SpeedDial(name, number) : RecordKey::Individual(name, number);
  if (!ConfirmDuplicate(dialog, key)) return;

  AddListLine(dialog, rcp::kList, key.Line());
  const int slot = AppendTypedRecipient(list, name, number, state.speedDialMode);

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
