// The selection form's recipients: adding phonebook lines, removing
// recipients, the properties of one, and reading each one on OK.
#include <string>
#include <vector>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "phonebook/entry_editor.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/reading.h"
#include "phonebook/records.h"
#include "phonebook_dialog_state.h"
#include "phonebook_lines.h"
#include "recipient_list/recipient_lines.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr std::u16string_view kAddCaption = phonebook::texts::kAddRecipientCaption;

bool FaxNumberEmpty(const EntryRecord& record) { return record.faxNumber[0] == '\0'; }

// Adds an individual line as a recipient waiting to be read; false when
// the user chose not to add a line already there.
bool AddIndividual(HWND dialog, RecipientList& recipients, const std::u16string& line) {
  HWND chosen = GetDlgItem(dialog, pb::kRecipientList);
  const RecordKey key = RecordKey::FromLine(line, RecordType::Individual);
  if (FindExactLine(chosen, line) >= 0) {
    const std::u16string question = NameAndNumber(key.name, key.number) + phonebook::texts::kAlreadyInList;
    if (ShowMessage(dialog, question, kAddCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  }
  AddListLine(dialog, pb::kRecipientList, line);
  phonebook::AddWaitingRecipient(recipients, key);
  return true;
}

// The key of a recipient waiting to be read, kept in its details.
RecordKey WaitingKey(const EntryDetails& details) {
  return RecordKey::Individual(WideSlotView(details.name), WideSlotView(details.faxNumber));
}

}  // namespace

void AddSelectedToRecipients(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return;
  RecipientList& recipients = *state.recipients;
  if (recipients.block.count >= kMaxRecipients) {
    ShowMessage(dialog, phonebook::texts::kListFullEntryNotAdded, kAddCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  const int selected = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, std::max(selected, 0));
  for (auto at = lines.rbegin(); at != lines.rend() && recipients.block.count < kMaxRecipients; ++at) {
    const std::u16string line = ListLine(list, *at);
    if (SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(*at), 0) ==
        static_cast<LRESULT>(phonebook::RecordType::Group)) {
      if (!phonebook::ExpandGroup(dialog, GetDlgItem(dialog, pb::kRecipientList), state.current().path,
                                  RecordKey::FromLine(line, RecordType::Group).name, &recipients)) {
        return;
      }
      continue;
    }
    if (!AddIndividual(dialog, recipients, line)) continue;
    if (recipients.block.count >= kMaxRecipients && std::next(at) != lines.rend()) {
      ShowMessage(dialog, phonebook::texts::kListFullSomeNotAdded, kAddCaption, MB_OK | MB_ICONWARNING);
      return;
    }
  }
}

bool RemoveSelectedRecipientsOnDelete(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return false;
  if (SendDlgItemMessageW(dialog, pb::kRecipientList, LB_GETSELCOUNT, 0, 0) <= 0) return false;
  if (ShowMessage(dialog, phonebook::texts::kRemoveRecipientsQuestion, phonebook::texts::kRemoveRecipientsCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  RemoveSelectedRecipients(dialog, pb::kRecipientList, *state.recipients);
  return true;
}

void ShowRecipientProperties(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return;
  const std::vector<int> lines = SelectedLines(dialog, pb::kRecipientList, 1);
  if (lines.empty() || lines[0] >= state.recipients->block.count) return;
  const int slot = lines[0];
  if (state.recipients->details[slot].detailsAvailable != 1) return;
  if (!FaxNumberEmpty(state.recipients->block.records[slot])) return;
  const std::u16string line = WaitingKey(state.recipients->details[slot]).Line();
  if (FindExactLine(GetDlgItem(dialog, pb::kEntryList), line) < 0) return;
  ShowEntryProperties(dialog, state.session, pb::kRecipientList, line);
}

void ReadPendingRecipients(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return;
  RecipientList& recipients = *state.recipients;
  phonebook::PhonebookEntry& working = state.session.working;
  for (int slot = 0; slot < recipients.block.count; ++slot) {
    EntryRecord& record = recipients.block.records[slot];
    EntryDetails& details = recipients.details[slot];
    if (details.detailsAvailable != 1 || !FaxNumberEmpty(record)) continue;
    const RecordKey key = WaitingKey(details);
    phonebook::ResetWorkingEntry(working);
    if (phonebook::ReadEntry(state.current().path, key.Line(), working) == StoreResult::Ok) {
      phonebook::TakeEntryAsRecipient(working, record, details);
      continue;
    }
    // Gone meanwhile: the recipient keeps its name and fax number.
    WideToAnsiSlot(key.name, record.name);
    WideToAnsiSlot(key.number, record.faxNumber);
    ShowMessage(dialog,
                NameAndNumber(key.name, key.number) + phonebook::texts::kDetailsUnreadable,
                phonebook::texts::kDetailsUnreadableCaption, MB_OK);
  }
}

}  // namespace tq::faxui
