// Validating, listing and expanding a group, with the messages the dialogs
// show for their failures.
#include <string>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "dialogs/messages.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/reading.h"
#include "phonebook/records.h"
#include "phonebook/texts.h"
#include "win/user.h"

namespace tq::phonebook {

namespace {

constexpr std::size_t kLinePartUnits = 30;

using faxui::ShowMessage;

// A whole-file read that failed, told as the dialogs tell it.
void ReportReadFailure(HWND owner, std::u16string_view path, const ReadOutcome& outcome) {
  switch (outcome.problem) {
    case ReadProblem::None: break;
    case ReadProblem::CannotOpen: ShowFileError(owner, path, texts::kDatabaseErrorCaption, FileErrorKind::NotFound); break;
    case ReadProblem::CannotAccess: ShowFileError(owner, path, texts::kDatabaseErrorCaption, FileErrorKind::CannotAccess); break;
    case ReadProblem::BadFormat: ShowFileError(owner, path, texts::kDatabaseErrorCaption, FileErrorKind::BadFormat); break;
    case ReadProblem::NoBuffer: ShowMessage(owner, texts::kReadNoMemory, texts::kDatabaseErrorCaption, MB_OK | MB_ICONWARNING); break;
    case ReadProblem::RecordTooLarge: ShowMessage(owner, texts::kReadNoMemory, texts::kDatabaseErrorCaption, MB_OK | MB_ICONERROR); break;
  }
}

}  // namespace

void ShowFileError(HWND owner, std::u16string_view path, std::u16string_view caption, FileErrorKind kind) {
  std::u16string text;
  switch (kind) {
    case FileErrorKind::CannotAccess: text = texts::kCannotAccess; break;
    case FileErrorKind::NotFound: text = texts::kNotFound; break;
    case FileErrorKind::BadFormat: text = texts::kBadFormat; break;
  }
  text.append(path);
  ShowMessage(owner, text, caption, MB_OK | MB_ICONERROR);
}

bool ValidateCurrentPhonebook(HWND owner, std::u16string_view path) {
  ReadOutcome outcome = ValidatePhonebook(path);
  ReportReadFailure(owner, path, outcome);
  return outcome.ok();
}

bool ListRecordsInto(HWND owner, HWND list, std::u16string_view path) {
  ReadOutcome outcome = ListRecords(path, [list](RecordType type, std::u16string_view line) {
    std::u16string text(line);
    LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(type));
  });
  ReportReadFailure(owner, path, outcome);
  return outcome.ok();
}

bool ExpandGroup(HWND owner, HWND target, std::u16string_view path, std::u16string_view groupName,
                 RecipientList* recipients) {
  if (recipients != nullptr && recipients->block.count >= kMaxRecipients) return false;
  bool full = false;
  std::string name = WideToAnsi(groupName, kKeyTextLength);
  ReadOutcome outcome = ReadGroupMembers(path, name, [&](std::string_view memberName, std::string_view fax) {
    if (full) {
      // The list reached 50 while members remain.
      ShowMessage(owner, texts::kListFullSomeNotAdded, texts::kAddRecipientCaption, MB_OK | MB_ICONWARNING);
      return false;
    }
    const RecordKey key = RecordKey::Individual(AnsiToWide(memberName, kLinePartUnits), AnsiToWide(fax, kLinePartUnits));
    const std::u16string line = key.Line();
    if (SendMessageW(target, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str())) != LB_ERR) {
      if (recipients == nullptr) return true;
      std::u16string question = texts::NameAndNumber(key.name, key.number) + texts::kAlreadyInList;
      if (ShowMessage(owner, question, texts::kAddRecipientCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return true;
    }
    LRESULT index = SendMessageW(target, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (index >= 0) SendMessageW(target, LB_SETITEMDATA, static_cast<WPARAM>(index), 2);
    if (recipients != nullptr) {
      AddWaitingRecipient(*recipients, key);
      full = recipients->block.count >= kMaxRecipients;
    }
    return true;
  });
  ReportReadFailure(owner, path, outcome);
  return outcome.ok();
}

void AddWaitingRecipient(RecipientList& recipients, const RecordKey& key) {
  const std::int32_t slot = recipients.block.count;
  recipients.block.records[slot] = DefaultEntryRecord;
  EntryDetails& details = recipients.details[slot];
  ClearEntryDetails(details);
  CopyToWideSlot(details.name, key.name);
  CopyToWideSlot(details.faxNumber, key.number);
  details.detailsAvailable = 1;
  recipients.block.count = slot + 1;
}

}  // namespace tq::phonebook
