#include "comm_dialog_run.h"

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"
#include "recipient_list/comm_dialog.h"
#include "recipient_list/resources.h"
#include "win/user.h"

namespace tq::faxui::testing {

namespace {

// A window standing for the recipient dialog: what the settings dialog
// looks for in its owner is the recipient list.
constexpr int kOwnerDialogId = 9901;
constexpr res::ControlTemplate kOwnerControls[] = {
    {WC_LISTBOXW, rcp::kList, u"", 7, 7, 100, 60, LBS_NOTIFY | WS_BORDER},
};
constexpr res::DialogTemplate kOwnerDialog{
    kOwnerDialogId, u"Liste", styles::kModalDialog, 0, 0, 0, 120, 80, kOwnerControls};

const res::ResourceScript& Script() {
  static const res::DialogTemplate dialogs[] = {kOwnerDialog};
  static const res::GatheredScript gathered{CommResources(), {dialogs, {}, {}}};
  return gathered.script();
}

}  // namespace

DialogRun RunCommDialog(const std::filesystem::path& folder, const std::string& script,
                        const EntryRecord& record, bool ownedByRecipientList, bool g4Available) {
  return RunDialogInChild(folder, script, Script(), [&](ChildOutcome& outcome) -> long long {
    outcome.record = record;
    HWND owner = nullptr;
    if (ownedByRecipientList) {
      owner = CreateDialogParamW(kTestInstance, MAKEINTRESOURCEW(kOwnerDialogId), nullptr, nullptr, 0);
    }
    CommDialogParams params{&outcome.record, g4Available};
    return DialogBoxParamW(kTestInstance, MAKEINTRESOURCEW(kCommDialogId), owner, CommDlgProc,
                           reinterpret_cast<LPARAM>(&params));
  });
}

}  // namespace tq::faxui::testing
