// The phonebook dialog's commands on its entry list: new entry or group,
// properties, delete.
#include <string>
#include <vector>

#include "common/record_key.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "phonebook/entry_editor.h"
#include "phonebook/group_editor.h"
#include "phonebook/records.h"
#include "phonebook/updates.h"
#include "phonebook_dialog_state.h"
#include "phonebook_lines.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

using phonebook::RecordType;

constexpr std::u16string_view kDiskFull = phonebook::texts::kEntryNoDiskSpace;
constexpr std::u16string_view kNoMemory = phonebook::texts::kEntryNoMemory;

RecordType TypeOfLine(HWND list, int index) {
  return SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == static_cast<LRESULT>(RecordType::Group)
             ? RecordType::Group
             : RecordType::Individual;
}

// Runs the group editor on the session's group name and stores what it
// produced; the list follows the save mode. The failure texts end with
// `consequence`.
void EditGroup(HWND dialog, PhonebookDialogState& state, std::u16string_view caption,
               std::u16string_view consequence) {
  PhonebookSession& session = state.session;
  const std::u16string oldName = session.groupName;
  GroupEditorParams params{&session, dialog, pb::kEntryList};
  if (RunGroupEditor(params) != 1) return;
  const std::u16string oldLine =
      params.mode == SaveMode::Append ? std::u16string() : RecordKey::Group(oldName).Line();
  const StoreResult result = phonebook::SaveGroup(session.current->path, oldLine, session.groupRecord, params.mode);
  if (result != StoreResult::Ok) {
    ReportStoreFailure(dialog, session.current->path, result,
                       {caption, std::u16string(kNoMemory) + std::u16string(consequence),
                        std::u16string(kDiskFull) + std::u16string(consequence)});
    return;
  }
  session.groupRecord.clear();
  session.groupRecord.shrink_to_fit();
  if (params.mode == SaveMode::ReplaceSameKey) return;
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  if (params.mode == SaveMode::ReplaceNewKey) {
    const int old = FindExactLine(list, oldLine);
    if (old >= 0) SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(old), 0);
  }
  const int index = AddLineWithData(list, RecordKey::Group(session.groupName).Line(),
                                    static_cast<LPARAM>(RecordType::Group));
  if (index >= 0) SelectOnlyLine(list, index);
}

}  // namespace

void NewRecord(HWND dialog, PhonebookDialogState& state) {
  const INT_PTR choice = RunNewEntryChoice(dialog);
  if (choice == kNewIndividual) {
    phonebook::ResetWorkingEntry(state.session.working);
    const StoreResult result = EditIndividualEntry(dialog, state.session, pb::kEntryList, {});
    constexpr std::u16string_view kConsequence = phonebook::texts::kEntryNotCreated;
    ReportStoreFailure(dialog, state.current().path, result,
                       {phonebook::texts::kNewEntryTitle, std::u16string(kNoMemory) + std::u16string(kConsequence),
                        std::u16string(kDiskFull) + std::u16string(kConsequence)});
  } else if (choice == kNewGroup) {
    state.session.groupName.clear();
    EditGroup(dialog, state, phonebook::texts::kNewGroupTitle, phonebook::texts::kGroupNotCreated);
  }
}

void ShowRecordProperties(HWND dialog, PhonebookDialogState& state) {
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, 2);
  if (lines.size() != 1) {
    ShowMessage(dialog, kNoSingleSelection, kPropertiesCaption, MB_OK | MB_ICONERROR);
    return;
  }
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  const std::u16string line = ListLine(list, lines[0]);
  if (TypeOfLine(list, lines[0]) == RecordType::Group) {
    state.session.groupName = RecordKey::FromLine(line, RecordType::Group).name;
    EditGroup(dialog, state, phonebook::texts::kGroupPropertiesTitle, phonebook::texts::kGroupPropertiesNotChanged);
  } else {
    ShowEntryProperties(dialog, state.session, pb::kEntryList, line);
  }
}

bool DeleteSelectedRecords(HWND dialog, PhonebookDialogState& state) {
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  const int selected = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  if (selected <= 0) return false;
  constexpr std::u16string_view kCaption = phonebook::texts::kDeleteCaption;
  if (ShowMessage(dialog, phonebook::texts::kDeleteQuestion, kCaption,
                  MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return true;
  }
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, selected);
  for (auto at = lines.rbegin(); at != lines.rend(); ++at) {
    const std::u16string line = ListLine(list, *at);
    const StoreResult result = phonebook::DeleteRecord(state.current().path, line, TypeOfLine(list, *at));
    if (result != StoreResult::Ok) {
      // The lines not yet deleted stay, as their records do.
      ReportStoreFailure(dialog, state.current().path, result,
                         {kCaption, std::u16string(phonebook::texts::kDeleteNoMemory) + phonebook::texts::kNotAllDeleted,
                          std::u16string(kDiskFull) + phonebook::texts::kNotAllDeleted});
      break;
    }
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(*at), 0);
  }
  return true;
}

}  // namespace tq::faxui
