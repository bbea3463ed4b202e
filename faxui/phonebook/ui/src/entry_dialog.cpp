// Dialog 103 as the details view and as the entry editor, and the
// new-entry choice (105).
#include <memory>
#include <string>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "dialogs/controls.h"
#include "win/dialog_state.h"
#include "dialogs/edit_filters.h"
#include "dialogs/help.h"
#include "dialogs/messages.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "faxui/text_routines.h"
#include "phonebook/entry_editor.h"
#include "phonebook/records.h"
#include "phonebook_lines.h"
#include "recipient_list/comm_dialog.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kEditBufferSize = 256;  // above every field's limit
constexpr int kNameLimit = 30;
constexpr int kFaxLimit = 30;
constexpr int kCompanyLimit = 59;
constexpr int kTelephoneLimit = 46;
constexpr int kEmailLimit = 59;
constexpr int kRemarksLimit = 254;

struct TextField {
  int id;
  int limit;
};
constexpr TextField kEditorFields[] = {{entry::kName, kNameLimit},         {entry::kCompany, kCompanyLimit},
                                       {entry::kFax, kFaxLimit},           {entry::kTelephone, kTelephoneLimit},
                                       {entry::kEmail, kEmailLimit},       {entry::kRemarks, kRemarksLimit}};

void SetReadOnly(HWND dialog, int id, bool readOnly) {
  SendDlgItemMessageW(dialog, id, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

// The field's text, at most `limit` characters; trimmed when asked.
std::u16string ReadField(HWND dialog, int id, int limit, bool trim) {
  char16_t text[kEditBufferSize] = {};
  GetDlgItemTextW(dialog, id, text, limit + 1);
  if (trim) TrimWide(text);
  return text;
}

void FillFields(HWND dialog, const EntryDetails& details, int faxField) {
  SetDlgItemTextW(dialog, entry::kName, details.name);
  SetDlgItemTextW(dialog, faxField, details.faxNumber);
  SetDlgItemTextW(dialog, entry::kCompany, details.company);
  SetDlgItemTextW(dialog, entry::kTelephone, details.telephone);
  SetDlgItemTextW(dialog, entry::kEmail, details.email);
  SetDlgItemTextW(dialog, entry::kRemarks, details.remarks);
}

// ---- Details view -------------------------------------------------------------

void OpenDetailsView(HWND dialog, const EntryDetails& details) {
  ShowAndEnable(dialog, entry::kFax, false);
  ShowAndEnable(dialog, entry::kCommButton, false);
  ShowAndEnable(dialog, entry::kViewFax, true);
  ShowControl(dialog, IDOK, false);
  SetDlgItemTextW(dialog, IDCANCEL, phonebook::texts::kCloseButton);
  ShowControl(dialog, entry::kHelpButton, false);
  SetWindowTextW(dialog, phonebook::texts::kDetailsTitle);
  FillFields(dialog, details, entry::kViewFax);
  for (int id : {entry::kName, entry::kViewFax, entry::kCompany, entry::kTelephone, entry::kEmail, entry::kRemarks}) {
    SetReadOnly(dialog, id, true);
  }
  FocusControl(dialog, IDCANCEL);
}

// ---- Entry editor ---------------------------------------------------------------

struct EditorState {
  EntryEditorParams* params = nullptr;
  std::u16string title;
  DialogHelp help;
};

void OpenEditor(HWND dialog, EditorState& state) {
  EntryEditorParams& params = *state.params;
  const phonebook::PhonebookEntry& working = *params.working;
  ShowAndEnable(dialog, entry::kFax, true);
  ShowAndEnable(dialog, entry::kCommButton, true);
  ShowAndEnable(dialog, IDOK, true);
  ShowAndEnable(dialog, entry::kHelpButton, true);
  ShowAndEnable(dialog, entry::kViewFax, false);
  SetDlgItemTextW(dialog, IDCANCEL, phonebook::texts::kCancelButton);
  state.title = working.record.faxNumber[0] == '\0' ? phonebook::texts::kNewEntryTitle : std::u16string(kPropertiesCaption);
  SetWindowTextW(dialog, state.title.c_str());
  for (const TextField& field : kEditorFields) {
    SetReadOnly(dialog, field.id, false);
    LimitText(dialog, field.id, field.limit);
  }
  FillFields(dialog, working.details, entry::kFax);
  // Only the phonebook dialog's own entry list may change an entry's key.
  const bool keyFixed = GetDlgItem(params.owner, pb::kGroupName) != nullptr || params.listId != pb::kEntryList;
  SetReadOnly(dialog, entry::kName, keyFixed);
  SetReadOnly(dialog, entry::kFax, keyFixed);
  FocusControl(dialog, entry::kName);
}

void EditCommSettings(HWND dialog, EditorState& state) {
  EntryRecord& record = state.params->working->record;
  const auto kept = std::make_unique<EntryRecord>(record);
  CommDialogParams params{&record, true};
  const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kCommDialogId), dialog, CommDlgProc,
                                         reinterpret_cast<LPARAM>(&params));
  if (result != 1) record = *kept;
}

void Warn(HWND dialog, const EditorState& state, std::u16string_view text) {
  ShowMessage(dialog, text, state.title, MB_OK | MB_ICONWARNING);
}

bool ListHasLine(HWND owner, int listId, std::u16string_view line) {
  HWND list = GetDlgItem(owner, listId);
  return list != nullptr && FindExactLine(list, line) >= 0;
}

void AcceptEditor(HWND dialog, EditorState& state) {
  EntryEditorParams& params = *state.params;
  phonebook::PhonebookEntry& working = *params.working;
  const std::u16string fax = ReadField(dialog, entry::kFax, kFaxLimit, false);
  if (fax.empty()) {
    Warn(dialog, state, phonebook::texts::kEnterFaxNumber);
    return;
  }
  CopyToWideSlot(working.details.faxNumber, fax);
  const std::u16string name = ReadField(dialog, entry::kName, kNameLimit, true);
  CopyToWideSlot(working.details.name, name);

  const std::u16string oldName = AnsiSlotToWide(working.record.name);
  const std::u16string oldFax = AnsiSlotToWide(working.record.faxNumber);
  SaveMode mode = SaveMode::ReplaceSameKey;
  if (!SameTextNoCase(name, oldName) || !SameTextNoCase(fax, oldFax)) {
    if (ListHasLine(params.owner, params.listId, RecordKey::Individual(name, fax).Line())) {
      Warn(dialog, state, phonebook::texts::kEntryExists);
      return;
    }
    mode = ListHasLine(params.owner, params.listId, RecordKey::Individual(oldName, oldFax).Line())
               ? SaveMode::ReplaceNewKey
               : SaveMode::Append;
  }
  params.mode = mode;
  WideToAnsiSlot(name, working.record.name, WC_COMPOSITECHECK);
  WideToAnsiSlot(fax, working.record.faxNumber, WC_COMPOSITECHECK);
  // The telephone number keeps its blanks; the other texts lose theirs.
  CopyToWideSlot(working.details.telephone, ReadField(dialog, entry::kTelephone, kTelephoneLimit, false));
  CopyToWideSlot(working.details.company, ReadField(dialog, entry::kCompany, kCompanyLimit, true));
  CopyToWideSlot(working.details.email, ReadField(dialog, entry::kEmail, kEmailLimit, true));
  CopyToWideSlot(working.details.remarks, ReadField(dialog, entry::kRemarks, kRemarksLimit, true));
  EndDialogClosingHelp(dialog, state.help, 1);
}

void FilterField(HWND dialog, int id) {
  char16_t text[kEditBufferSize] = {};
  ReadEditText(dialog, id, text, kEditBufferSize);
  if (id == entry::kName) {
    // Square brackets mark group lines.
    FilterEditText(dialog, id, text, u'[', u']', FilterType::RefuseLowAndHigh);
  } else {
    FilterFaxNumber(dialog, id, text);
  }
}

void EditorCommand(HWND dialog, EditorState& state, int id, WORD code) {
  switch (id) {
    case entry::kName:
    case entry::kFax:
      if (code == EN_CHANGE) FilterField(dialog, id);
      return;
    case entry::kCommButton:
      if (code == BN_CLICKED) EditCommSettings(dialog, state);
      return;
    case entry::kHelpButton:
      if (code == BN_CLICKED) OpenDialogHelp(dialog, state.help, kEntryEditorHelpContext);
      return;
    case IDOK: AcceptEditor(dialog, state); return;
    case IDCANCEL: EndDialogClosingHelp(dialog, state.help, 2); return;
    default: return;
  }
}

struct DetailsState {};
struct ChoiceState {};

}  // namespace

void ShowRecipientDetails(HWND owner, const EntryDetails& details) {
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kEntryDialogId), owner, ShowDBInfoDlgProc,
                  reinterpret_cast<LPARAM>(&details));
}

INT_PTR RunNewEntryChoice(HWND owner) {
  return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kNewEntryDialogId), owner, NewEntryDlgProc, 0);
}

}  // namespace tq::faxui

using namespace tq::faxui;

extern "C" INT_PTR ShowDBInfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* details = reinterpret_cast<const tq::EntryDetails*>(lParam);
    if (details == nullptr) {
      EndDialog(dialog, 2);
      return FALSE;
    }
    tq::AttachDialogState(dialog, std::make_unique<DetailsState>());
    OpenDetailsView(dialog, *details);
    return FALSE;
  }
  return tq::WithDialogState<DetailsState>(dialog, message, [&](DetailsState&) -> INT_PTR {
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 2);
    return TRUE;
  });
}

extern "C" INT_PTR EditDBInfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* params = reinterpret_cast<EntryEditorParams*>(lParam);
    if (params == nullptr || params->working == nullptr) {
      EndDialog(dialog, 2);
      return FALSE;
    }
    EditorState& state = tq::AttachDialogState(dialog, std::make_unique<EditorState>());
    state.params = params;
    OpenEditor(dialog, state);
    return FALSE;
  }
  return tq::WithDialogState<EditorState>(dialog, message, [&](EditorState& state) -> INT_PTR {
    if (message == WM_HELP) {  // F1: the dialog's topic, as "Aide" opens it
      OpenDialogHelp(dialog, state.help, kEntryEditorHelpContext);
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    EditorCommand(dialog, state, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  });
}

extern "C" INT_PTR NewEntryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    tq::AttachDialogState(dialog, std::make_unique<ChoiceState>());
    CheckDlgButton(dialog, tq::faxui::entry::kIndividual, BST_CHECKED);
    CheckDlgButton(dialog, tq::faxui::entry::kGroup, BST_UNCHECKED);
    return TRUE;
  }
  return tq::WithDialogState<ChoiceState>(dialog, message, [&](ChoiceState&) -> INT_PTR {
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
      EndDialog(dialog, IsDlgButtonChecked(dialog, tq::faxui::entry::kGroup) == BST_CHECKED ? kNewGroup : kNewIndividual);
    } else if (LOWORD(wParam) == IDCANCEL) {
      EndDialog(dialog, 2);
    }
    return TRUE;
  });
}
