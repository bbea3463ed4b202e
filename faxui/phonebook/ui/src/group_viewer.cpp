// The group viewer (700): the members of a group, from inside the group
// editor, each open in the entry editor with its key fixed.
#include <memory>
#include <string>
#include <vector>

#include "common/record_key.h"
#include "dialogs/controls.h"
#include "win/dialog_state.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "phonebook/entry_editor.h"
#include "phonebook/group_editor.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook_lines.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kSearchLimit = 30;

struct ViewerParams {
  HWND owner = nullptr;
  PhonebookSession* session = nullptr;
};

struct ViewerState {
  ViewerParams params;
};

bool Open(HWND dialog, const ViewerParams& params) {
  HWND members = GetDlgItem(dialog, pb::kEntryList);
  SendMessageW(members, LB_RESETCONTENT, 0, 0);
  const std::vector<int> lines = SelectedLines(params.owner, pb::kEntryList, 1);
  if (lines.empty()) return false;
  const std::u16string name =
      RecordKey::FromLine(ListLine(GetDlgItem(params.owner, pb::kEntryList), lines[0]), RecordType::Group).name;
  const std::u16string title = name + phonebook::texts::kGroupPropertiesSuffix;
  SetWindowTextW(dialog, title.c_str());
  if (!phonebook::ExpandGroup(dialog, members, params.session->current->path, name, nullptr)) return false;
  LimitText(dialog, pb::kSearchEdit, kSearchLimit);
  return true;
}

void ShowProperties(HWND dialog, const ViewerParams& params) {
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, 2);
  if (lines.size() != 1) {
    ShowMessage(dialog, kNoSingleSelection, kPropertiesCaption, MB_OK | MB_ICONERROR);
    return;
  }
  ShowEntryProperties(dialog, *params.session, pb::kEntryList,
                      ListLine(GetDlgItem(dialog, pb::kEntryList), lines[0]));
}

}  // namespace

void RunGroupViewer(HWND owner, PhonebookSession& session) {
  ViewerParams params{owner, &session};
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kGroupViewerDialogId), owner, ShowDBGrpDlgProc,
                  reinterpret_cast<LPARAM>(&params));
}

}  // namespace tq::faxui

using namespace tq::faxui;

extern "C" INT_PTR ShowDBGrpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* params = reinterpret_cast<const ViewerParams*>(lParam);
    if (params == nullptr || params->session == nullptr) {
      EndDialog(dialog, 2);
      return FALSE;
    }
    ViewerState& state = tq::AttachDialogState(dialog, std::make_unique<ViewerState>());
    state.params = *params;
    if (!Open(dialog, state.params)) EndDialog(dialog, 2);
    return TRUE;
  }
  return tq::WithDialogState<ViewerState>(dialog, message, [&](ViewerState& state) -> INT_PTR {
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == pb::kSearchEdit) {
      SearchInList(dialog, pb::kEntryList);
    } else if ((id == pb::kPropertiesButton && code == BN_CLICKED) || (id == pb::kEntryList && code == LBN_DBLCLK)) {
      ShowProperties(dialog, state.params);
    } else if (id == IDOK || id == IDCANCEL) {
      EndDialog(dialog, 2);
    }
    return TRUE;
  });
}
