// Display lines of recipients, and the recipient list following the lines
// removed from a list.
#include "recipient_list/recipient_lines.h"

#include <algorithm>

#include "common/record_key.h"
#include "dialogs/list_lines.h"
#include "win/user.h"

namespace tq::faxui {

void FillRecipientListBox(HWND dialog, int listId, const RecipientListBlock& block) {
  SendDlgItemMessageW(dialog, listId, LB_RESETCONTENT, 0, 0);
  const int count = std::clamp(block.count, 0, kMaxRecipients);
  for (int i = 0; i < count; ++i) AddListLine(dialog, listId, RecordKey::Of(block.records[i]).Line());
}

int RemoveSelectedRecipients(HWND dialog, int listId, RecipientList& list) {
  return RemoveSelectedLines(dialog, listId, kMaxRecipients, [&list](int line) {
    RecipientListBlock& block = list.block;
    if (line >= block.count) return;  // a line without a slot: nothing to move
    std::move(block.records + line + 1, block.records + block.count, block.records + line);
    std::move(list.details + line + 1, list.details + block.count, list.details + line);
    --block.count;
  });
}

}  // namespace tq::faxui
