// The speed-dial CSV import: the selection by speed-dial number (118) and
// the details of one entry (119).
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "file_imports.h"
#include "ids.h"
#include "selection_lists.h"
#include "import/speed_dial_rows.h"
#include "texts.h"
#include "win/dialog_state.h"
#include "win/user.h"

namespace tq::import {
namespace {

struct SelectState {
  ImportRun* run;
  std::u16string title;
  const SpeedDialList* list;
  ChosenEntries* chosen;
  bool outOfMemory = false;  // the left list could not be filled
};

INT_PTR DetailsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto& entry = *reinterpret_cast<const SpeedDialEntry*>(lParam);
    SetWindowTextW(dialog, (text::kSpeedDialDetailsTitle + AnsiToWide(entry.number)).c_str());
    SetDlgItemTextW(dialog, details::kName, AnsiSlotToWide(entry.record.name).c_str());
    SetDlgItemTextW(dialog, details::kFax, AnsiSlotToWide(entry.record.faxNumber).c_str());
    SetDlgItemTextW(dialog, details::kMode, AnsiToWide(entry.mode).c_str());
    SetDlgItemTextW(dialog, details::kMailbox, AnsiToWide(entry.mailbox).c_str());
    SetDlgItemTextW(dialog, details::kRelay, AnsiToWide(entry.relay).c_str());
    SetDlgItemTextW(dialog, details::kFCode, AnsiToWide(entry.fCode).c_str());
    SetForegroundWindow(dialog);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

void ShowDetails(HWND dialog, const SelectState& state) {
  const std::vector<int> lines = SelectedAllLines(dialog);
  if (lines.size() != 1) {
    ShowMessage(*state.run, text::kDetailsNeedOneLine, text::kSpeedDialCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  const auto index = static_cast<std::size_t>(ListData(dialog, select::kAll, lines.front()));
  if (index >= state.list->entries.size()) return;
  DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kSpeedDialDetailsDialog), dialog, DetailsProc,
                  reinterpret_cast<LPARAM>(&state.list->entries[index]));
}

// Whether to add `entry`: not when it is there already; when an entry with
// its name and fax number is, the user says whether it replaces that one
// (only then is the right list read, to find that line).
bool MayAdd(HWND dialog, const SelectState& state, std::size_t index) {
  const auto& entries = state.list->entries;
  const EntryRecord& record = entries[index].record;
  if (state.chosen->Holds(index)) return false;
  if (!state.chosen->HoldsAlike(index)) return true;
  for (int i = 0, n = ListCount(dialog, select::kChosen); i < n; ++i) {
    const auto other = static_cast<std::size_t>(ListData(dialog, select::kChosen, i));
    if (other >= entries.size() || !state.chosen->Alike(other, index)) continue;
    const std::u16string question =
        text::ReplaceChosenQuestion(AnsiSlotToWide(record.name), AnsiSlotToWide(record.faxNumber));
    if (ShowMessage(*state.run, question, text::kSpeedDialCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    SendDlgItemMessageW(dialog, select::kChosen, LB_DELETESTRING, i, 0);
    state.chosen->Remove(other);
    return true;
  }
  return true;
}

void MoveSelected(HWND dialog, SelectState& state) {
  const auto lines = LinesToMove(*state.run, dialog, text::kSpeedDialCaption);
  if (!lines) return;
  const auto& entries = state.list->entries;
  for (const int line : *lines) {
    const auto index = static_cast<std::size_t>(line);  // the left list's line i is entry i
    if (index >= entries.size() || !MayAdd(dialog, state, index)) continue;
    if (ChosenListFull(*state.run, dialog, text::kSpeedDialCaption)) return;
    if (!AddChosenLine(dialog, *state.chosen, index)) {
      ShowMessage(*state.run, text::kNoMemoryForSelection, text::kSpeedDialCaption, MB_OK | MB_ICONWARNING);
      return;
    }
  }
}

// The left list shows an entry's speed-dial number, the right list the
// number, a tab and the entry's display line.
void MakeEntryLines(HWND dialog, const std::vector<SpeedDialEntry>& entries) {
  MakeListLines(
      dialog,
      [&entries](LPARAM data, std::u16string& line) {
        const auto index = static_cast<std::size_t>(data);
        if (index < entries.size()) line += AnsiToWide(entries[index].number);
      },
      [&entries](LPARAM data, std::u16string& line) {
        const auto index = static_cast<std::size_t>(data);
        if (index >= entries.size()) return;
        const SpeedDialEntry& entry = entries[index];
        line += AnsiToWide(entry.number) + u"\t" +
                RecordKey::Individual(AnsiSlotToWide(entry.record.name), AnsiSlotToWide(entry.record.faxNumber)).Line();
      });
}

// The whole records of the right list's entries, in its order.
void TakeChosen(HWND dialog, const SelectState& state) {
  ImportRun& run = *state.run;
  run.ClearCandidates();
  for (int i = 0, n = ListCount(dialog, select::kChosen); i < n; ++i) {
    const auto index = static_cast<std::size_t>(ListData(dialog, select::kChosen, i));
    if (index >= state.list->entries.size()) continue;
    const SpeedDialEntry& entry = state.list->entries[index];
    run.candidates.Add(AnsiSlotView(entry.record.name), AnsiSlotView(entry.record.faxNumber));
    run.records.push_back(CompleteRecord(entry));
  }
}

INT_PTR SelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto& state = AttachBorrowedDialogState(dialog, *reinterpret_cast<SelectState*>(lParam));
    SetWindowTextW(dialog, state.title.c_str());
    SetForegroundWindow(dialog);
    const INT tabStop = 95;
    SendDlgItemMessageW(dialog, select::kChosenTitle, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    SetDlgItemTextW(dialog, select::kChosenTitle, text::kSpeedDialChosenTitle);
    SendDlgItemMessageW(dialog, select::kChosen, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    MakeEntryLines(dialog, state.list->entries);
    state.outOfMemory = !FillAllList(dialog, state.run->owner, state.list->entries.size());
    if (state.outOfMemory) {
      SendDlgItemMessageW(dialog, select::kAll, LB_RESETCONTENT, 0, 0);
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    SendDlgItemMessageW(dialog, select::kAll, LB_SETSEL, TRUE, 0);
    SendDlgItemMessageW(dialog, select::kSearch, EM_LIMITTEXT, 3, 0);
    return TRUE;
  }
  auto* state = DialogStateOf<SelectState>(dialog);
  if (state == nullptr) return FALSE;
  if (message == WM_HELP) {  // F1: the dialog's topic, as "Aide" opens it
    OpenHelp(*state->run, dialog, kSpeedDialHelpContext);
    return TRUE;
  }
  if (const auto answer = SharedSelectionMessage(dialog, message, wParam, lParam, *state->chosen,
                                                 [&] { MoveSelected(dialog, *state); })) {
    return *answer;
  }
  switch (LOWORD(wParam)) {
    case select::kDetails:
      ShowDetails(dialog, *state);
      return TRUE;
    case select::kHelp:
      OpenHelp(*state->run, dialog, kSpeedDialHelpContext);
      return TRUE;
    case IDOK:
      TakeChosen(dialog, *state);
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

int ImportSpeedDialCsv(ImportRun& run, std::u16string_view path, int& rejected) {
  rejected = 0;
  CsvFile file;
  if (const int code = ReadCsvFile(path, file); code < 0) return code;
  SpeedDialList list;
  std::optional<ChosenEntries> chosen;
  try {
    if (const int code = ReadSpeedDialRows(file, list); code < 0) return code;
    chosen.emplace(list.entries.size(), [&](std::size_t i) {
      return std::pair(AnsiSlotView(list.entries[i].record.name), AnsiSlotView(list.entries[i].record.faxNumber));
    });
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  rejected = list.rejected;
  SelectState state{&run, FormatText(u"%s - %s", {text::kSpeedDialCaption, path}), &list, &*chosen};
  DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kSpeedDialSelectDialog), run.owner, SelectProc,
                  reinterpret_cast<LPARAM>(&state));
  if (state.outOfMemory) return kNoMemory;
  return static_cast<int>(run.candidates.Count());
}

}  // namespace tq::import
