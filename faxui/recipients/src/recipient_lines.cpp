// Display lines of recipients and the list helpers shared with the
// phonebook selection form and the destination list.
#include <algorithm>
#include <vector>

#include "common/ansi_slots.h"
#include "recipient_dialog_state.h"
#include "recipients/dialog_ids.h"
#include "recipients/recipient_dialog.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr std::size_t kLineTextUnits = 31;

void AddLine(HWND dialog, int listId, const std::u16string& line) {
  SendDlgItemMessageW(dialog, listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

}  // namespace

std::u16string RecipientDisplayLine(const EntryRecord& record) {
  const std::u16string name = AnsiSlotToWide(record.name, kLineTextUnits);
  const std::u16string number = AnsiSlotToWide(record.faxNumber, kLineTextUnits);
  if (record.speedDialFlag == 1) return name + u" <'" + number + u"'>";
  return name + u" <" + number + u">";
}

void FillRecipientListBox(HWND dialog, int listId, const RecipientListBlock& block) {
  SendDlgItemMessageW(dialog, listId, LB_RESETCONTENT, 0, 0);
  const int count = std::clamp(block.count, 0, kMaxRecipients);
  for (int i = 0; i < count; ++i) AddLine(dialog, listId, RecipientDisplayLine(block.records[i]));
  if (listId == rcp::kList) {
    if (const RecipientDialogState* state = RecipientStateOf(dialog)) {
      ApplyRecipientButtonStates(dialog, *state);
    }
  }
}

std::vector<int> SelectedLines(HWND dialog, int listId, int bound) {
  std::vector<int> lines(static_cast<std::size_t>(std::max(bound, 0)));
  const LRESULT got = SendDlgItemMessageW(dialog, listId, LB_GETSELITEMS, lines.size(),
                                          reinterpret_cast<LPARAM>(lines.data()));
  lines.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  std::sort(lines.begin(), lines.end());
  return lines;
}

int RemoveSelectedLines(HWND dialog, int listId, int bound, RecipientList* list) {
  const std::vector<int> lines = SelectedLines(dialog, listId, bound);
  if (lines.empty()) return 0;
  for (auto at = lines.rbegin(); at != lines.rend(); ++at) {
    const int line = *at;
    SendDlgItemMessageW(dialog, listId, LB_DELETESTRING, static_cast<WPARAM>(line), 0);
    if (list == nullptr) continue;
    RecipientListBlock& block = list->block;
    if (line >= block.count) continue;  // a line without a slot: nothing to move
    std::move(block.records + line + 1, block.records + block.count, block.records + line);
    std::move(list->details + line + 1, list->details + block.count, list->details + line);
    --block.count;
  }
  const LRESULT remaining = SendDlgItemMessageW(dialog, listId, LB_GETCOUNT, 0, 0);
  if (remaining > 0) {
    const int select = std::min<int>(lines.front(), static_cast<int>(remaining) - 1);
    SendDlgItemMessageW(dialog, listId, LB_SETSEL, TRUE, select);
  }
  return static_cast<int>(lines.size());
}

}  // namespace tq::faxui
