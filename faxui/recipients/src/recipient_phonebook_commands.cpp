// The recipient dialog's phonebook buttons: the details of one recipient,
// the phonebook's selection form over a working copy of the list, and
// storing the selected recipients into the phonebook.
#include <memory>
#include <string>
#include <vector>

#include "common/record_key.h"
#include "dialogs/controls.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/records.h"
#include "phonebook/updates.h"
#include "recipient_dialog_state.h"
#include "recipient_list/recipient_lines.h"
#include "recipients/recipient_dialog.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr std::u16string_view kStoreCaption = texts::kStoreCaption;

void Report(HWND dialog, const RecipientDialogState& state, StoreResult result) {
  const std::u16string& path = state.phonebook.path;
  switch (result) {
    case StoreResult::NoMemory:
      ShowMessage(dialog, texts::kStoreNoMemory, kStoreCaption, MB_OK | MB_ICONERROR);
      return;
    case StoreResult::WriteFailed:
      ShowMessage(dialog, texts::kStoreNoDiskSpace, kStoreCaption, MB_OK | MB_ICONERROR);
      return;
    case StoreResult::CannotOpen:
      phonebook::ShowFileError(dialog, path, kStoreCaption, phonebook::FileErrorKind::CannotAccess);
      return;
    default: phonebook::ShowFileError(dialog, path, kStoreCaption, phonebook::FileErrorKind::BadFormat); return;
  }
}

// A speed-dial number is a place in the device's own list, not a
// phonebook entry: it is told once and skipped.
void TellSpeedDialSkipped(HWND dialog, std::size_t selected) {
  if (selected == 1) {
    ShowMessage(dialog, texts::kSpeedDialNotStored, kStoreCaption, MB_OK | MB_ICONERROR);
  } else {
    ShowMessage(dialog, texts::kSpeedDialsNotStored, kStoreCaption, MB_OK | MB_ICONINFORMATION);
  }
}

// Yes, No or Cancel to replacing the phonebook's entry of the same line.
int AskReplace(HWND dialog, const RecordKey& key) {
  const std::u16string question =
      phonebook::texts::NameAndNumber(key.name, key.number) + texts::kStoreReplaceQuestion;
  return ShowMessage(dialog, question, kStoreCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
}

}  // namespace

void ShowRecipientDetails(HWND dialog, RecipientDialogState& state) {
  const std::vector<int> lines = SelectedLines(dialog, rcp::kList, kMaxRecipients);
  if (lines.size() != 1 || lines[0] >= state.recipients->block.count) return;
  const EntryDetails& details = state.recipients->details[lines[0]];
  if (details.detailsAvailable != 1 || state.phonebookDialogs.showDetails == nullptr) return;
  state.phonebookDialogs.showDetails(dialog, details);
}

void SearchPhonebook(HWND dialog, RecipientDialogState& state) {
  if (state.phonebookDialogs.selectRecipients == nullptr) return;
  auto working = std::make_unique<RecipientList>(*state.recipients);
  if (state.phonebookDialogs.selectRecipients(dialog, *working, state.phonebook) == 1) {
    *state.recipients = *working;
    FillRecipientListBox(dialog, rcp::kList, state.recipients->block);
    ApplyRecipientButtonStates(dialog, state);
  }
  ShowCurrentPhonebook(dialog, state);
  EnableControl(dialog, rcp::kStoreButton, !state.phonebook.unavailable);
}

void StoreSelectedRecipients(HWND dialog, RecipientDialogState& state) {
  HWND scratch = GetDlgItem(dialog, kScratchList);
  SendMessageW(scratch, LB_RESETCONTENT, 0, 0);
  const std::vector<int> lines = SelectedLines(dialog, rcp::kList, kMaxRecipients);
  if (lines.empty()) {
    ShowMessage(dialog, texts::kStoreNeedsSelection, kStoreCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  if (!phonebook::ListRecordsInto(dialog, scratch, state.phonebook.path)) {
    ShowMessage(dialog, texts::kStoreFailed, kStoreCaption, MB_OK | MB_ICONERROR);
    SendMessageW(scratch, LB_RESETCONTENT, 0, 0);
    return;
  }
  RecipientList& list = *state.recipients;
  bool speedDialTold = false;
  for (int slot : lines) {
    if (slot >= list.block.count) break;
    const EntryRecord& record = list.block.records[slot];
    if (record.speedDialFlag == 1) {
      if (!speedDialTold) TellSpeedDialSkipped(dialog, lines.size());
      speedDialTold = true;
      continue;
    }
    const RecordKey key = RecordKey::Of(record);
    const std::u16string line = key.Line();
    SaveMode mode = SaveMode::Append;
    std::u16string oldLine;
    if (SendMessageW(scratch, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str())) !=
        LB_ERR) {
      const int answer = AskReplace(dialog, key);
      if (answer == IDNO) continue;
      if (answer != IDYES) break;
      mode = SaveMode::ReplaceSameKey;
      oldLine = line;
    }
    const StoreResult result = phonebook::SaveEntry(state.phonebook.path, oldLine, record, list.details[slot], mode);
    if (result != StoreResult::Ok) {
      Report(dialog, state, result);
      break;
    }
    list.details[slot].detailsAvailable = 1;
  }
  SendMessageW(scratch, LB_RESETCONTENT, 0, 0);
  ApplyRecipientButtonStates(dialog, state);
}

}  // namespace tq::faxui
