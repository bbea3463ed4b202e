// The recipient dialog's import: "&Importer dans la liste" starts the
// Import application, whose entries then replace the whole list.
#include <algorithm>
#include <string>

#include "common/ansi_slots.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "faxui/import_handoff.h"
#include "faxui/resource_ids.h"
#include "recipient_dialog_state.h"
#include "recipient_list/recipient_lines.h"
#include "recipients/recipient_dialog.h"
#include "texts.h"
#include "win/user.h"

namespace tq::faxui {

void StartImportIntoList(HWND dialog, const RecipientDialogState& state) {
  if (state.recipients->block.count > 0 &&
      ShowMessage(dialog, texts::kImportReplacesList, kImportCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return;
  }
  StartImport(PluginImportHandoff());
}

void TakeImportedRecipients(HWND dialog, RecipientDialogState& state, int command) {
  const auto records = TakeImportedRecords(PluginImportHandoff(), command);
  if (!records) return;  // cancelled or failed: the list stays as it is
  RecipientList& list = *state.recipients;
  const int count = static_cast<int>(std::min<std::size_t>(records->size(), kMaxRecipients));
  for (int slot = 0; slot < count; ++slot) {
    const EntryRecord& record = (*records)[static_cast<std::size_t>(slot)];
    list.block.records[slot] = record;
    EntryDetails& details = list.details[slot];
    ClearEntryDetails(details);
    CopyToWideSlot(details.name, AnsiSlotToWide(record.name));
    CopyToWideSlot(details.faxNumber, AnsiSlotToWide(record.faxNumber));
  }
  list.block.count = count;
  FillRecipientListBox(dialog, rcp::kList, list.block);
  SendDlgItemMessageW(dialog, rcp::kList, LB_SETSEL, FALSE, -1);
  SendDlgItemMessageW(dialog, rcp::kList, LB_SETSEL, TRUE, 0);
  FocusControl(dialog, rcp::kList);
  ApplyRecipientButtonStates(dialog, state);
}

}  // namespace tq::faxui
