// The phonebook dialog's import: "&Importer dans l'annuaire" starts the
// Import application, whose entries are then stored one by one into the
// current phonebook.
#include <string>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "faxui/import_handoff.h"
#include "faxui/resource_ids.h"
#include "phonebook/records.h"
#include "phonebook/updates.h"
#include "phonebook_dialog_state.h"
#include "phonebook_lines.h"
#include "dialogs/messages.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr LPARAM kIndividualData = static_cast<LPARAM>(phonebook::RecordType::Individual);

// Yes, No or Cancel to replacing the entry of the same line.
int AskReplace(HWND dialog, std::u16string_view name, std::u16string_view faxNumber) {
  const std::u16string question = NameAndNumber(name, faxNumber) + phonebook::texts::kReplaceEntryQuestion;
  return ShowMessage(dialog, question, kImportCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
}

}  // namespace

void StartImportIntoPhonebook() { StartImport(PluginImportHandoff()); }

void StoreImportedEntries(HWND dialog, PhonebookDialogState& state, int command) {
  const auto records = TakeImportedRecords(PluginImportHandoff(), command);
  if (!records || !state.available()) return;
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  const std::u16string& path = state.current().path;
  for (const EntryRecord& record : *records) {
    const std::u16string name = AnsiSlotToWide(record.name);
    const std::u16string faxNumber = AnsiSlotToWide(record.faxNumber);
    const std::u16string line = RecordKey::Individual(name, faxNumber).Line();
    SaveMode mode = SaveMode::Append;
    std::u16string oldLine;
    if (FindExactLine(list, line) >= 0) {
      const int answer = AskReplace(dialog, name, faxNumber);
      if (answer == IDNO) continue;
      if (answer != IDYES) break;  // the entries stored so far stay
      mode = SaveMode::ReplaceSameKey;
      oldLine = line;
    }
    EntryDetails details{};
    CopyToWideSlot(details.name, name);
    CopyToWideSlot(details.faxNumber, faxNumber);
    const StoreResult result = phonebook::SaveEntry(path, oldLine, record, details, mode);
    if (result != StoreResult::Ok) {
      ReportStoreFailure(dialog, path, result,
                         {kImportCaption, phonebook::texts::kNoMemory, phonebook::texts::kNoDiskSpace});
      break;
    }
    if (mode == SaveMode::Append) AddLineWithData(list, line, kIndividualData);
  }
}

}  // namespace tq::faxui
