// The group editor (107): a group's name and its members picked from every
// other record of the phonebook.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/record_key.h"
#include "dialogs/controls.h"
#include "win/dialog_state.h"
#include "dialogs/edit_filters.h"
#include "dialogs/help.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "faxui/text_routines.h"
#include "phonebook/afd_format.h"
#include "phonebook/entry_editor.h"
#include "phonebook/group_editor.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/records.h"
#include "phonebook_lines.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kNameLimit = 30;
constexpr int kSearchLimit = 32;
constexpr int kEditBufferSize = 64;

struct GroupEditorState {
  GroupEditorParams* params = nullptr;
  std::u16string title;
  DialogHelp help;
};

PhonebookSession& Session(const GroupEditorState& state) { return *state.params->session; }
HWND OwnerList(const GroupEditorState& state) { return GetDlgItem(state.params->owner, state.params->listId); }

void Warn(HWND dialog, const GroupEditorState& state, std::u16string_view text) {
  ShowMessage(dialog, text, state.title, MB_OK | MB_ICONWARNING);
}

// False when the group could not be read (the store said why).
bool Open(HWND dialog, GroupEditorState& state) {
  PhonebookSession& session = Session(state);
  session.groupRecord.clear();
  session.groupRecord.shrink_to_fit();
  HWND members = GetDlgItem(dialog, pb::kRecipientList);
  HWND records = GetDlgItem(dialog, pb::kEntryList);
  SendMessageW(members, LB_RESETCONTENT, 0, 0);
  SendMessageW(records, LB_RESETCONTENT, 0, 0);
  if (!session.groupName.empty()) {
    state.title = phonebook::texts::kGroupPropertiesTitle;
    if (!phonebook::ExpandGroup(dialog, members, session.current->path, session.groupName, nullptr)) return false;
  } else {
    state.title = phonebook::texts::kNewGroupTitle;
  }
  SetWindowTextW(dialog, state.title.c_str());

  const std::u16string ownLine = RecordKey::Group(session.groupName).Line();
  HWND owner = OwnerList(state);
  const LRESULT count = SendMessageW(owner, LB_GETCOUNT, 0, 0);
  SendMessageW(records, LB_INITSTORAGE, static_cast<WPARAM>(std::max<LRESULT>(count, 0)), 0);
  for (int i = 0; i < count; ++i) {
    const std::u16string line = ListLine(owner, i);
    if (SameTextNoCase(line, ownLine)) continue;
    AddLineWithData(records, line, SendMessageW(owner, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  }
  LimitText(dialog, pb::kGroupName, kNameLimit);
  LimitText(dialog, pb::kSearchEdit, kSearchLimit);
  SetDlgItemTextW(dialog, pb::kGroupName, session.groupName.c_str());
  FocusControl(dialog, pb::kGroupName);
  return true;
}

void AddMembers(HWND dialog, GroupEditorState& state) {
  HWND records = GetDlgItem(dialog, pb::kEntryList);
  HWND members = GetDlgItem(dialog, pb::kRecipientList);
  const int selected = static_cast<int>(SendMessageW(records, LB_GETSELCOUNT, 0, 0));
  if (selected <= 0) return;
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, selected);
  for (int index : lines) {
    const std::u16string line = ListLine(records, index);
    if (SendMessageW(records, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) ==
        static_cast<LRESULT>(phonebook::RecordType::Group)) {
      // A group brings its members, never itself.
      phonebook::ExpandGroup(dialog, members, Session(state).current->path, RecordKey::FromLine(line, RecordType::Group).name, nullptr);
    } else if (FindExactLine(members, line) < 0) {
      AddLineWithData(members, line, static_cast<LPARAM>(phonebook::RecordType::Individual));
    }
  }
}

// WM_VKEYTOITEM for the member list; true when the key was handled.
bool RemoveMembersOnDelete(HWND dialog) {
  HWND members = GetDlgItem(dialog, pb::kRecipientList);
  const int selected = static_cast<int>(SendMessageW(members, LB_GETSELCOUNT, 0, 0));
  if (selected <= 0) return false;
  if (ShowMessage(dialog, phonebook::texts::kRemoveMembersQuestion, phonebook::texts::kRemoveMembersCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  RemoveSelectedLines(dialog, pb::kRecipientList, selected);
  return true;
}

void ShowProperties(HWND dialog, GroupEditorState& state) {
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, 2);
  if (lines.size() != 1) {
    ShowMessage(dialog, kNoSingleSelection, kPropertiesCaption, MB_OK | MB_ICONERROR);
    return;
  }
  HWND records = GetDlgItem(dialog, pb::kEntryList);
  if (SendMessageW(records, LB_GETITEMDATA, static_cast<WPARAM>(lines[0]), 0) ==
      static_cast<LRESULT>(phonebook::RecordType::Group)) {
    RunGroupViewer(dialog, Session(state));
  } else {
    ShowEntryProperties(dialog, Session(state), pb::kEntryList, ListLine(records, lines[0]));
  }
}

void ShowMemberProperties(HWND dialog, GroupEditorState& state) {
  const std::vector<int> lines = SelectedLines(dialog, pb::kRecipientList, 1);
  if (lines.empty()) return;
  ShowEntryProperties(dialog, Session(state), pb::kRecipientList,
                      ListLine(GetDlgItem(dialog, pb::kRecipientList), lines[0]));
}

void Accept(HWND dialog, GroupEditorState& state) {
  PhonebookSession& session = Session(state);
  char16_t text[kNameLimit + 1] = {};
  GetDlgItemTextW(dialog, pb::kGroupName, text, kNameLimit + 1);
  TrimWide(text);
  const std::u16string name = text;
  if (name.empty()) {
    Warn(dialog, state, phonebook::texts::kEnterGroupName);
    return;
  }
  SaveMode mode = SaveMode::ReplaceSameKey;
  if (!SameTextNoCase(name, session.groupName)) {
    HWND owner = OwnerList(state);
    if (FindExactLine(owner, RecordKey::Group(name).Line()) >= 0) {
      Warn(dialog, state, phonebook::texts::kGroupExists);
      return;
    }
    mode = FindExactLine(owner, RecordKey::Group(session.groupName).Line()) >= 0 ? SaveMode::ReplaceNewKey
                                                                                     : SaveMode::Append;
  }
  HWND members = GetDlgItem(dialog, pb::kRecipientList);
  std::vector<std::u16string> lines;
  const LRESULT count = SendMessageW(members, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) lines.push_back(ListLine(members, i));
  std::vector<char> record = BuildGroupRecord(name, lines);
  // A group longer than the read buffer could be written but never read
  // again: the user is told before anything is stored, and the editor stays
  // open with the name unchanged so that members can be taken out.
  if (record.size() > phonebook::kReadBufferSize) {
    Warn(dialog, state, phonebook::texts::kGroupTooLarge);
    return;
  }
  state.params->mode = mode;
  session.groupName = name;
  session.groupRecord = std::move(record);
  EndDialogClosingHelp(dialog, state.help, 1);
}

void FilterName(HWND dialog) {
  char16_t text[kEditBufferSize] = {};
  ReadEditText(dialog, pb::kGroupName, text, kEditBufferSize);
  FilterEditText(dialog, pb::kGroupName, text, u'[', u']', FilterType::RefuseLowAndHigh);
}

void Command(HWND dialog, GroupEditorState& state, int id, WORD code) {
  switch (id) {
    case pb::kGroupName:
      if (code == EN_CHANGE) FilterName(dialog);
      return;
    case pb::kSearchEdit: SearchInList(dialog, pb::kEntryList); return;
    case pb::kEntryList:
      if (code == LBN_DBLCLK) AddMembers(dialog, state);
      return;
    case pb::kRecipientList:
      if (code == LBN_DBLCLK) ShowMemberProperties(dialog, state);
      return;
    case pb::kAddButton:
      if (code == BN_CLICKED) AddMembers(dialog, state);
      return;
    case pb::kRemoveButton:
      if (code == BN_CLICKED) {
        PostMessageW(dialog, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, pb::kRecipientList)));
      }
      return;
    case pb::kPropertiesButton:
      if (code == BN_CLICKED) ShowProperties(dialog, state);
      return;
    case pb::kGroupHelpButton:
      if (code == BN_CLICKED) OpenDialogHelp(dialog, state.help, kGroupEditorHelpContext);
      return;
    case IDOK: Accept(dialog, state); return;
    case IDCANCEL: EndDialogClosingHelp(dialog, state.help, 2); return;
    default: return;
  }
}

}  // namespace

INT_PTR RunGroupEditor(GroupEditorParams& params) {
  return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kGroupEditorDialogId), params.owner, EditDBGrpDlgProc,
                         reinterpret_cast<LPARAM>(&params));
}

}  // namespace tq::faxui

using namespace tq::faxui;

extern "C" INT_PTR EditDBGrpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* params = reinterpret_cast<GroupEditorParams*>(lParam);
    if (params == nullptr || params->session == nullptr || params->session->current == nullptr) {
      EndDialog(dialog, 2);
      return FALSE;
    }
    GroupEditorState& state = tq::AttachDialogState(dialog, std::make_unique<GroupEditorState>());
    state.params = params;
    if (!Open(dialog, state)) EndDialog(dialog, 2);
    return FALSE;
  }
  return tq::WithDialogState<GroupEditorState>(dialog, message, [&](GroupEditorState& state) -> INT_PTR {
    switch (message) {
      case WM_COMMAND: Command(dialog, state, LOWORD(wParam), HIWORD(wParam)); return TRUE;
      case WM_HELP:  // F1: the dialog's topic, as "Aide" opens it
        OpenDialogHelp(dialog, state.help, kGroupEditorHelpContext);
        return TRUE;
      case WM_VKEYTOITEM:
        if (LOWORD(wParam) == VK_DELETE && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, pb::kRecipientList) &&
            RemoveMembersOnDelete(dialog)) {
          return -2;
        }
        return -1;
      default: return FALSE;
    }
  });
}
