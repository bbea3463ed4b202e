// Editing an individual entry and storing it: the editor, the store's save
// and the owner's list following the save mode.
#include <string>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "dialogs/messages.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "phonebook/entry_editor.h"
#include "phonebook/reading.h"
#include "phonebook/records.h"
#include "phonebook/updates.h"
#include "phonebook_lines.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kLineTextUnits = 31;

void FollowSave(HWND list, SaveMode mode, std::u16string_view oldLine, const EntryRecord& record) {
  if (list == nullptr || mode == SaveMode::ReplaceSameKey) return;
  if (mode == SaveMode::ReplaceNewKey) {
    const int old = FindExactLine(list, oldLine);
    if (old >= 0) SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(old), 0);
  }
  const std::u16string line =
      RecordKey::Individual(AnsiSlotToWide(record.name, kLineTextUnits), AnsiSlotToWide(record.faxNumber, kLineTextUnits))
          .Line();
  const int index = AddLineWithData(list, line, static_cast<LPARAM>(phonebook::RecordType::Individual));
  if (index >= 0) SelectOnlyLine(list, index);
}

}  // namespace

StoreResult EditIndividualEntry(HWND owner, PhonebookSession& session, int listId, std::u16string_view oldLine) {
  EntryEditorParams params{&session.working, owner, listId};
  const INT_PTR ended = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kEntryDialogId), owner, EditDBInfoDlgProc,
                                        reinterpret_cast<LPARAM>(&params));
  if (ended != 1) return StoreResult::Ok;
  const EntryRecord& record = session.working.record;
  const StoreResult result =
      phonebook::SaveEntry(session.current->path, oldLine, record, session.working.details, params.mode);
  if (result == StoreResult::Ok) FollowSave(GetDlgItem(owner, listId), params.mode, oldLine, record);
  return result;
}

void ShowEntryProperties(HWND owner, PhonebookSession& session, int listId, std::u16string_view line) {
  const std::u16string& path = session.current->path;
  phonebook::ResetWorkingEntry(session.working);
  StoreResult result = phonebook::ReadEntry(path, line, session.working);
  if (result == StoreResult::Ok) result = EditIndividualEntry(owner, session, listId, line);
  if (result == StoreResult::NotFound) {
    const RecordKey key = RecordKey::FromLine(line, RecordType::Individual);
    const std::u16string text = NameAndNumber(key.name, key.number) + phonebook::texts::kEntryMissing + path;
    ShowMessage(owner, text, kPropertiesCaption, MB_OK | MB_ICONERROR);
    return;
  }
  ReportStoreFailure(owner, path, result,
                     {kPropertiesCaption, std::u16string(phonebook::texts::kEntryNoMemory) + phonebook::texts::kPropertiesNotChanged,
                      std::u16string(phonebook::texts::kEntryNoDiskSpace) + phonebook::texts::kPropertiesNotChanged});
}

}  // namespace tq::faxui
