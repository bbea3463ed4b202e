// The CSV import: the association dialog (114) or the automatic search,
// then the selection dialog (102).
#include <malloc.h>

#include <cstdint>
#include <new>
#include <optional>
#include <utility>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "import/csv_records.h"
#include "file_imports.h"
#include "ids.h"
#include "import/text_rules.h"
#include "selection_lists.h"
#include "texts.h"
#include "win/dialog_state.h"
#include "win/user.h"

namespace tq::import {
namespace {

constexpr const char16_t* kAssociate = text::kAssociate;
constexpr const char16_t* kDissociate = text::kDissociate;

struct AssociateState {
  const ImportRun* run;
  std::u16string title;
  std::vector<std::u16string> columns;
  int name = -1;  // the associated columns, -1 for none
  int fax = -1;
};

// Button `button` associates the selected column with its edit, or drops
// that association; a column is never both the name and the fax number.
void Associate(HWND dialog, AssociateState& state, bool name) {
  if (state.columns.empty()) return;
  int& own = name ? state.name : state.fax;
  int& other = name ? state.fax : state.name;
  const int button = name ? associate::kNameButton : associate::kFaxButton;
  const int edit = name ? associate::kName : associate::kFax;
  if (own >= 0) {
    own = -1;
    SetDlgItemTextW(dialog, edit, u"");
    SetDlgItemTextW(dialog, button, kAssociate);
    return;
  }
  const auto selected = static_cast<int>(SendDlgItemMessageW(dialog, associate::kColumns, LB_GETCURSEL, 0, 0));
  if (selected < 0) return;
  own = selected;
  SetDlgItemTextW(dialog, edit, state.columns[static_cast<std::size_t>(selected)].c_str());
  SetDlgItemTextW(dialog, button, kDissociate);
  if (other == selected) {
    other = -1;
    SetDlgItemTextW(dialog, name ? associate::kFax : associate::kName, u"");
    SetDlgItemTextW(dialog, name ? associate::kFaxButton : associate::kNameButton, kAssociate);
  }
}

INT_PTR AssociateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto& state = AttachBorrowedDialogState(dialog, *reinterpret_cast<AssociateState*>(lParam));
    SetWindowTextW(dialog, state.title.c_str());
    for (const std::u16string& column : state.columns) {
      SendDlgItemMessageW(dialog, associate::kColumns, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(column.c_str()));
    }
    SendDlgItemMessageW(dialog, associate::kColumns, LB_SETCURSEL, 0, 0);
    SetForegroundWindow(dialog);
    return TRUE;
  }
  auto* state = DialogStateOf<AssociateState>(dialog);
  if (message != WM_COMMAND || state == nullptr) return FALSE;
  switch (LOWORD(wParam)) {
    case associate::kNameButton:
      Associate(dialog, *state, true);
      return TRUE;
    case associate::kFaxButton:
      Associate(dialog, *state, false);
      return TRUE;
    case IDOK:
      if (state->fax < 0) {
        ShowMessage(*state->run, text::kFaxFieldRequired, text::kCsvCaption,
                    MB_OK | MB_ICONWARNING);
        return TRUE;
      }
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

struct SelectState {
  ImportRun* run;
  std::u16string title;
  const CsvRecords* records;
  ChosenEntries* chosen;
  bool outOfMemory = false;  // the left list could not be filled, or OK not taken
  // On OK: the records of the right list's lines, in its order.
  std::vector<std::uint32_t> taken;
};

// Both lists show an entry as its display line "name <fax number>".
void MakeRecordLines(HWND dialog, const RecordKeyList& keys) {
  auto line = [&keys, key = RecordKey()](LPARAM data, std::u16string& out) mutable {
    const auto entry = static_cast<std::size_t>(data);
    if (entry >= keys.Count()) return;
    key.name.clear();
    AppendAnsiToWide(key.name, keys.Name(entry));
    key.number.clear();
    AppendAnsiToWide(key.number, keys.FaxNumber(entry));
    key.AppendLine(out);
  };
  MakeListLines(dialog, line, line);
}

// An entry goes over once: not when one with its name and number is
// there already.
void MoveSelected(HWND dialog, SelectState& state) {
  const auto lines = LinesToMove(*state.run, dialog, text::kCsvCaption);
  if (!lines) return;
  const RecordKeyList& keys = state.records->keys;
  for (const int line : *lines) {
    const auto index = static_cast<std::size_t>(line);  // the left list's line i is entry i
    if (index >= keys.Count()) continue;
    if (keys.FaxNumber(index).empty() || state.chosen->HoldsAlike(index)) continue;
    if (ChosenListFull(*state.run, dialog, text::kCsvCaption)) return;
    if (!AddChosenLine(dialog, *state.chosen, index)) {
      ShowMessage(*state.run, text::kNoMemoryForSelection, text::kCsvCaption, MB_OK | MB_ICONWARNING);
      return;
    }
  }
}

// The records the right list's lines name by their item data, in its
// order: the candidates are made from them once the dialog and its lists
// are gone, so that lists and candidates never take memory together.
void TakeChosen(HWND dialog, SelectState& state) {
  const std::size_t entries = state.records->keys.Count();
  const int count = ListCount(dialog, select::kChosen);
  state.taken.clear();
  state.taken.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto index = static_cast<std::size_t>(ListData(dialog, select::kChosen, i));
    if (index < entries) state.taken.push_back(static_cast<std::uint32_t>(index));
  }
}

INT_PTR SelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto& state = AttachBorrowedDialogState(dialog, *reinterpret_cast<SelectState*>(lParam));
    SetWindowTextW(dialog, state.title.c_str());
    MakeRecordLines(dialog, state.records->keys);
    if (!FillAllList(dialog, state.run->owner, state.records->keys.Count())) {
      SendDlgItemMessageW(dialog, select::kAll, LB_RESETCONTENT, 0, 0);
      state.outOfMemory = true;
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    SendDlgItemMessageW(dialog, select::kAll, LB_SETSEL, TRUE, 0);
    SendDlgItemMessageW(dialog, select::kSearch, EM_LIMITTEXT, kMaxTextLength, 0);
    return TRUE;
  }
  auto* state = DialogStateOf<SelectState>(dialog);
  if (state == nullptr) return FALSE;
  if (message == WM_HELP) {  // F1: the dialog's topic, as "Aide" opens it
    OpenHelp(*state->run, dialog, kCsvSelectHelpContext);
    return TRUE;
  }
  if (const auto answer = SharedSelectionMessage(dialog, message, wParam, lParam, *state->chosen,
                                                 [&] { MoveSelected(dialog, *state); })) {
    return *answer;
  }
  switch (LOWORD(wParam)) {
    case select::kHelp:
      OpenHelp(*state->run, dialog, kCsvSelectHelpContext);
      return TRUE;
    case IDOK:
      state->run->ClearCandidates();
      try {
        TakeChosen(dialog, *state);
      } catch (const std::bad_alloc&) {
        state->outOfMemory = true;
      }
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      state->run->ClearCandidates();
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int ImportCsv(ImportRun& run, std::u16string_view path, int source, int& rejected) {
  rejected = 0;
  CsvFile file;
  if (const int code = ReadCsvFile(path, file, CsvForm::OfficeExport); code < 0) return code;
  const std::u16string title = FormatText(u"%s - %s", {text::kCsvCaption, path});
  const std::string_view header = file.header < file.lines.size() ? file.lines[file.header] : std::string_view();
  std::vector<std::string_view> fields;
  CsvColumns columns;
  if (source == kCsvManual) {
    if (!SplitFields(header, fields, file.separator)) return kUnclosedQuote;
    AssociateState state{&run, title, {}};
    for (std::string_view field : fields) state.columns.push_back(AnsiToWide(field));
    const INT_PTR answer = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kAssociateDialog), run.owner, AssociateProc,
                                           reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return 0;
    columns.name = state.name;
    columns.fax.push_back(static_cast<std::size_t>(state.fax));
  } else {
    UpperCaseInPlace(header);
    if (!SplitFields(header, fields, file.separator)) return kUnclosedQuote;
    columns = FindColumns(fields);
  }
  if (columns.fax.empty()) return kNoFaxColumn;
  CsvRecords records;
  std::optional<ChosenEntries> chosen;
  try {
    if (const int code = BuildCsvRecords(file, columns, records); code < 0) return code;
    file = CsvFile();  // the records hold what the lines are still needed for
    const RecordKeyList& keys = records.keys;
    chosen.emplace(keys.Count(), [&](std::size_t i) { return std::pair(keys.Name(i), keys.FaxNumber(i)); });
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  rejected = records.rejected;
  SelectState state{&run, title, &records, &*chosen, false, {}};
  DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kCsvSelectDialog), run.owner, SelectProc, reinterpret_cast<LPARAM>(&state));
  if (state.outOfMemory) return kNoMemory;
  chosen.reset();  // the index of the chosen entries is not needed past the dialog
  // The lists' blocks went back to the allocator in small pieces it keeps
  // for itself; handing them to the system first keeps them from adding to
  // the candidates' memory.
  malloc_trim(0);
  // The candidates are the taken entries of the records, texts and all.
  try {
    records.keys.Select(state.taken);
    run.candidates = std::move(records.keys);
  } catch (const std::bad_alloc&) {
    run.ClearCandidates();
    return kNoMemory;
  }
  return static_cast<int>(run.candidates.Count());
}

}  // namespace tq::import
