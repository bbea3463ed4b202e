// The phonebook dialog's procedure: opening, refreshing, the search, the
// file commands, help and the ends of both forms.
#include "phonebook/phonebook_dialog.h"

#include <memory>

#include "dialogs/controls.h"
#include "win/dialog_state.h"
#include "dialogs/help.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook_dialog_state.h"
#include "phonebook_lines.h"
#include "recipient_list/recipient_lines.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kSearchLimit = 32;

void Open(HWND dialog, PhonebookDialogState& state, const PhonebookDialogParams* params) {
  state.selectionForm = GetDlgItem(dialog, pb::kRecipientList) != nullptr;
  if (params != nullptr && params->current != nullptr) {
    state.session.current = params->current;
  } else {
    state.ownPhonebook = std::make_unique<phonebook::CurrentPhonebook>();
    state.session.current = state.ownPhonebook.get();
  }
  if (state.selectionForm) {
    state.recipients = params != nullptr ? params->recipients : nullptr;
    if (state.recipients != nullptr) FillRecipientListBox(dialog, pb::kRecipientList, state.recipients->block);
  }
  LimitText(dialog, pb::kSearchEdit, kSearchLimit);
  phonebook::CurrentPhonebook& current = state.current();
  const bool located = phonebook::LocateCurrentPhonebook(dialog, current);
  current.unavailable = !located || !phonebook::ValidateCurrentPhonebook(dialog, current.path);
  RefreshPhonebookDialog(dialog, state);
}

void Command(HWND dialog, PhonebookDialogState& state, int id, WORD code) {
  const auto refresh = [dialog, &state] { RefreshPhonebookDialog(dialog, state); };
  const bool clicked = code == BN_CLICKED;
  switch (id) {
    case pb::kSearchEdit: SearchInList(dialog, pb::kEntryList); return;
    case pb::kEntryList:
      if (code != LBN_DBLCLK) return;
      if (state.selectionForm) {
        AddSelectedToRecipients(dialog, state);
      } else {
        ShowRecordProperties(dialog, state);
      }
      return;
    case pb::kRecipientList:
      if (code == LBN_DBLCLK) ShowRecipientProperties(dialog, state);
      return;
    case pb::kNewButton:
      if (clicked) NewRecord(dialog, state);
      return;
    case pb::kPropertiesButton:
      if (clicked) ShowRecordProperties(dialog, state);
      return;
    case pb::kDeleteButton:
      if (clicked) {
        PostMessageW(dialog, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, pb::kEntryList)));
      }
      return;
    case pb::kAddButton:
      if (clicked && state.selectionForm) AddSelectedToRecipients(dialog, state);
      return;
    case pb::kRemoveButton:
      if (clicked && state.recipients != nullptr && state.recipients->block.count > 0) {
        PostMessageW(dialog, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, pb::kRecipientList)));
      }
      return;
    case pb::kNewFileButton:
      if (clicked) phonebook::NewPhonebook(dialog, state.current(), refresh);
      return;
    case pb::kOpenFileButton:
      if (clicked) phonebook::OpenPhonebook(dialog, state.current(), refresh);
      return;
    case pb::kSaveAsButton:
      if (clicked) phonebook::SavePhonebookAs(dialog, state.current());
      return;
    case pb::kImportButton:
      if (clicked) StartImportIntoPhonebook();
      return;
    case pb::kImportDone:
    case pb::kImportDoneOther: StoreImportedEntries(dialog, state, id); return;
    case pb::kHelpButton:
      if (clicked) OpenDialogHelp(dialog, state.help, kPhonebookHelpContext);
      return;
    case IDOK:
      if (!state.selectionForm) return;
      ReadPendingRecipients(dialog, state);
      EndDialogClosingHelp(dialog, state.help, 1);
      return;
    case IDCANCEL: EndDialogClosingHelp(dialog, state.help, 0); return;
    default: return;
  }
}

}  // namespace

void RefreshPhonebookDialog(HWND dialog, PhonebookDialogState& state) {
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  phonebook::CurrentPhonebook& current = state.current();
  if (!current.unavailable) {
    if (phonebook::ListRecordsInto(dialog, list, current.path)) {
      SelectOnlyLine(list, 0);
      SetFocus(list);
    } else {
      // Nothing half listed stays: an unavailable phonebook shows no line.
      SendMessageW(list, LB_RESETCONTENT, 0, 0);
      current.unavailable = true;
    }
  }
  const bool available = !current.unavailable;
  for (int id : {pb::kNewButton, pb::kDeleteButton, pb::kPropertiesButton, pb::kImportButton, pb::kSaveAsButton,
                 pb::kAddButton}) {
    EnableControl(dialog, id, available);
  }
  const std::u16string caption =
      available ? phonebook::texts::kPhonebookCaptionPrefix + current.path : std::u16string(phonebook::texts::kPhonebookCaption);
  SetWindowTextW(dialog, caption.c_str());
}

void ShowManagementForm(HWND owner) {
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kPhonebookDialogId), owner, PhonebookDlgProc, 0);
}

INT_PTR ShowSelectionForm(HWND owner, RecipientList& working, phonebook::CurrentPhonebook& current) {
  PhonebookDialogParams params{&current, &working};
  const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kPhonebookSelectionDialogId), owner,
                                         PhonebookDlgProc, reinterpret_cast<LPARAM>(&params));
  return result == 1 ? 1 : 0;
}

}  // namespace tq::faxui

using tq::faxui::PhonebookDialogState;

extern "C" INT_PTR PhonebookDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace tq::faxui;
  if (message == WM_INITDIALOG) {
    PhonebookDialogState& state = tq::AttachDialogState(dialog, std::make_unique<PhonebookDialogState>());
    Open(dialog, state, reinterpret_cast<const PhonebookDialogParams*>(lParam));
    return FALSE;  // the focus is on the list, or where the dialog manager puts it
  }
  return tq::WithDialogState<PhonebookDialogState>(dialog, message, [&](PhonebookDialogState& state) -> INT_PTR {
    switch (message) {
      case WM_COMMAND: Command(dialog, state, LOWORD(wParam), HIWORD(wParam)); return TRUE;
      case WM_HELP:  // F1: the dialog's topic, as "Aide" opens it
        OpenDialogHelp(dialog, state.help, kPhonebookHelpContext);
        return TRUE;
      case WM_VKEYTOITEM: {
        if (LOWORD(wParam) != VK_DELETE) return -1;
        HWND list = reinterpret_cast<HWND>(lParam);
        if (list == GetDlgItem(dialog, pb::kEntryList)) return DeleteSelectedRecords(dialog, state) ? -2 : -1;
        if (state.selectionForm && list == GetDlgItem(dialog, pb::kRecipientList)) {
          return RemoveSelectedRecipientsOnDelete(dialog, state) ? -2 : -1;
        }
        return -1;
      }
      default: return FALSE;
    }
  });
}
