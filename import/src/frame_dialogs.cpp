#include "frame_dialogs.h"

#include <string>

#include "addressbook/address_book_import.h"
#include "ids.h"
#include "texts.h"
#include "win/ansi_text.h"
#include "win/dialog_state.h"
#include "win/list_line_maker.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::import {
namespace {

struct SourceState {
  const ImportRun* run;
  SourceOffer offer;
};

int SelectedSource(HWND dialog) {
  const LRESULT item = SendDlgItemMessageW(dialog, source::kKind, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return kCancelled;
  return static_cast<int>(SendDlgItemMessageW(dialog, source::kKind, CB_GETITEMDATA, item, 0));
}

// The two check boxes lie at the same place; each belongs to one source.
void ShowSourceOptions(HWND dialog) {
  const int chosen = SelectedSource(dialog);
  const bool csv = chosen == kCsvManual;
  const bool wab = chosen == kWabChosenFile;
  ShowWindow(GetDlgItem(dialog, source::kAutomaticSearch), csv ? SW_SHOW : SW_HIDE);
  EnableWindow(GetDlgItem(dialog, source::kAutomaticSearch), csv);
  ShowWindow(GetDlgItem(dialog, source::kDefaultWab), wab ? SW_SHOW : SW_HIDE);
  EnableWindow(GetDlgItem(dialog, source::kDefaultWab), wab);
}

void AddSource(HWND dialog, const char16_t* text, int source) {
  const LRESULT item = SendDlgItemMessageW(dialog, source::kKind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (item >= 0) SendDlgItemMessageW(dialog, source::kKind, CB_SETITEMDATA, item, source);
}

INT_PTR SourceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto& state = AttachBorrowedDialogState(dialog, *reinterpret_cast<SourceState*>(lParam));
    if (state.offer.mapi) AddSource(dialog, text::kSourceMessaging, kMapi);
    if (!state.offer.windowsBookLibrary.empty()) AddSource(dialog, text::kSourceWab, kWabChosenFile);
    AddSource(dialog, text::kSourceCsv, kCsvManual);
    AddSource(dialog, text::kSourceSpeedDial, kSpeedDialCsv);
    SendDlgItemMessageW(dialog, source::kKind, CB_SETCURSEL, 0, 0);
    CheckDlgButton(dialog, source::kAutomaticSearch, BST_UNCHECKED);
    CheckDlgButton(dialog, source::kDefaultWab, BST_CHECKED);
    ShowSourceOptions(dialog);
    SetForegroundWindow(dialog);
    return TRUE;
  }
  const auto* state = DialogStateOf<SourceState>(dialog);
  if (message == WM_HELP && state != nullptr) {  // F1: the dialog's topic, as "Aide" opens it
    OpenHelp(*state->run, dialog, kSourceHelpContext);
    return TRUE;
  }
  if (message != WM_COMMAND || state == nullptr) return FALSE;
  switch (LOWORD(wParam)) {
    case source::kKind:
      if (HIWORD(wParam) == CBN_SELCHANGE) ShowSourceOptions(dialog);
      return TRUE;
    case source::kHelp:
      OpenHelp(*state->run, dialog, kSourceHelpContext);
      return TRUE;
    case IDOK: {
      int chosen = SelectedSource(dialog);
      if (chosen == kCsvManual && IsDlgButtonChecked(dialog, source::kAutomaticSearch)) chosen = kCsvAutomatic;
      if (chosen == kWabChosenFile && IsDlgButtonChecked(dialog, source::kDefaultWab)) chosen = kWabDefaultFile;
      EndDialog(dialog, chosen);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, kCancelled);
      return TRUE;
    default:
      return FALSE;
  }
}

struct ConfirmState {
  ImportRun* run;
};

std::u16string Unsigned(int value) {
  return Utf8ToUtf16(std::to_string(static_cast<unsigned>(value)));
}

INT_PTR ConfirmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const ImportRun& run = *AttachBorrowedDialogState(dialog, *reinterpret_cast<ConfirmState*>(lParam)).run;
    const RecordKeyList& candidates = run.candidates;
    const std::u16string count = Utf8ToUtf16(std::to_string(candidates.Count()));
    SetDlgItemTextW(dialog, confirm::kCountText, (count + text::kCountSuffix).c_str());
    const INT tabStop = 148;
    SendDlgItemMessageW(dialog, confirm::kList, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    // The list makes each line from its candidate when it shows it; none
    // once Cancel has let the candidates go.
    const HWND list = GetDlgItem(dialog, confirm::kList);
    tq::ui::SetListLineMaker(list, [&candidates](LPARAM data, std::u16string& line) {
      const auto index = static_cast<std::size_t>(data);
      if (index >= candidates.Count()) return;
      AppendAnsiToWide(line, candidates.Name(index));
      line += u'\t';
      AppendAnsiToWide(line, candidates.FaxNumber(index));
    });
    SendMessageW(list, LB_SETCOUNT, candidates.Count(), 0);
    SetDlgItemTextW(dialog, confirm::kTotal, Unsigned(run.total).c_str());
    SetDlgItemTextW(dialog, confirm::kRejectedLabel,
                    run.source <= kWabDefaultFile ? text::kRejectedFromSelection : text::kRejectedFromDatabase);
    SetDlgItemTextW(dialog, confirm::kRejected, Unsigned(run.rejected).c_str());
    SetDlgItemTextW(dialog, confirm::kValid, Unsigned(run.valid).c_str());
    const bool cut = run.limit > 0 && run.limit < run.valid;
    SetDlgItemTextW(dialog, confirm::kLimitNote, cut ? text::kOnlyFirstImported : u"");
    return TRUE;
  }
  auto* state = DialogStateOf<ConfirmState>(dialog);
  if (message != WM_COMMAND || state == nullptr) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    state->run->ClearCandidates();
    EndDialog(dialog, 2);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

SourceOffer AvailableSources() {
  return {MessagingBookOffered(), LoadableWindowsBookLibrary()};
}

int ChooseSource(const ImportRun& run, const SourceOffer& offer) {
  SourceState state{&run, offer};
  return static_cast<int>(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kSourceDialog), run.owner, SourceProc,
                                          reinterpret_cast<LPARAM>(&state)));
}

bool ConfirmCandidates(ImportRun& run) {
  ConfirmState state{&run};
  return DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kConfirmDialog), run.owner, ConfirmProc,
                         reinterpret_cast<LPARAM>(&state)) == 1;
}

}  // namespace tq::import
