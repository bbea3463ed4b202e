// The relay destination list: codes of three characters ("005", "0#5",
// "00*", "0**", "05*") kept in the record's twenty slots in list order.
#include <algorithm>
#include <cstring>
#include <string>

#include "common/ansi_slots.h"
#include "comm_dialog_state.h"
#include "dialogs/controls.h"
#include "dialogs/edit_filters.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "faxui/text_routines.h"
#include "recipient_list/texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kEditBufferSize = 64;
constexpr int kReadUnits = 6;

// The field read as an unsigned decimal number; 0 when it is not one.
unsigned PlainValue(const char16_t* text) {
  if (text[0] == u'\0') return 0;
  unsigned value = 0;
  for (const char16_t* c = text; *c != u'\0'; ++c) {
    if (*c < u'0' || *c > u'9') return 0;
    value = value * 10u + static_cast<unsigned>(*c - u'0');
  }
  return value;
}

void Refuse(HWND dialog, const char16_t* text) {
  RefuseField(dialog, text, texts::kRelayCaption, comm::kDestinationEdit, true);
}

// False (after the message) when the typed code is refused.
bool CheckCode(HWND dialog, const CommDialogState& state, const char16_t* text) {
  const unsigned value = PlainValue(text);
  const bool starFirst = text[0] == u'*';
  const bool starSecond = text[0] != u'\0' && text[1] == u'*';
  if (state.groupMode) {
    if (starFirst || starSecond || value < 1 || value > 9) {
      Refuse(dialog, texts::kGroupDestinationRange);
      return false;
    }
    return true;
  }
  if (starFirst && text[1] != u'*' && text[1] != u'\0') {
    Refuse(dialog, texts::kNoDigitAfterStar);
    return false;
  }
  if (!starFirst && !starSecond && value < 1) {
    Refuse(dialog, texts::kDestinationRange);
    return false;
  }
  return true;
}

// Writes the list's lines back into the record's slots in list order.
void StoreLines(HWND dialog, EntryRecord& record) {
  const LRESULT lines = SendDlgItemMessageW(dialog, comm::kDestinationList, LB_GETCOUNT, 0, 0);
  const int count = std::clamp<int>(static_cast<int>(lines), 0, kMaxDestinations);
  HWND list = GetDlgItem(dialog, comm::kDestinationList);
  for (int i = 0; i < count; ++i) {
    const std::u16string line = ListLine(list, i);
    if (line.size() >= kEditBufferSize) continue;
    char code[kDestinationIdLength + 2] = {};
    WideToAnsiSlot(line, code, sizeof code, WC_COMPOSITECHECK);
    std::memcpy(record.destinationIds + i * kDestinationIdLength, code, kDestinationIdLength);
  }
}

}  // namespace

void FillDestinationList(HWND dialog, const EntryRecord& record) {
  SendDlgItemMessageW(dialog, comm::kDestinationList, LB_RESETCONTENT, 0, 0);
  const int count = std::clamp<int>(record.destinationCount, 0, kMaxDestinations);
  for (int i = 0; i < count; ++i) {
    const std::u16string code =
        AnsiSlotToWide(record.destinationIds + i * kDestinationIdLength, kDestinationIdLength, kDestinationIdLength);
    AddListLine(dialog, comm::kDestinationList, code);
  }
}

void FilterDestination(HWND dialog, const CommDialogState& state) {
  char16_t text[kEditBufferSize];
  ReadEditText(dialog, comm::kDestinationEdit, text, kEditBufferSize);
  // Digits only; '*' as well outside group mode. Nothing is stored yet.
  FilterEditText(dialog, comm::kDestinationEdit, text, u'0', u'9',
                 state.groupMode ? FilterType::OnlyRange : FilterType::RangeAndStar);
}

void AddDestination(HWND dialog, CommDialogState& state) {
  EntryRecord& record = *state.record;
  char16_t text[kEditBufferSize] = {};
  ReadEditText(dialog, comm::kDestinationEdit, text, kReadUnits + 1);
  if (text[0] == u'\0') {
    FocusControl(dialog, comm::kDestinationEdit);
    return;
  }
  if (!CheckCode(dialog, state, text)) return;

  int length = 0;
  while (text[length] != u'\0') ++length;
  LeftPadWide(text, length, kDestinationIdLength);
  if (state.groupMode) text[1] = u'#';

  const LRESULT found = SendDlgItemMessageW(dialog, comm::kDestinationList, LB_FINDSTRING,
                                            static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  if (found == LB_ERR) {
    const bool wasEmpty = record.destinationCount <= 0;
    const LRESULT line = AddListLine(dialog, comm::kDestinationList, text);
    if (wasEmpty) EnableControl(dialog, comm::kRemoveDestinationButton, true);
    ++record.destinationCount;
    if (record.destinationCount >= kMaxDestinations) {
      EnableControl(dialog, comm::kAddDestinationButton, false);
    }
    StoreLines(dialog, record);
    SendDlgItemMessageW(dialog, comm::kDestinationList, LB_SETSEL, FALSE, -1);
    SendDlgItemMessageW(dialog, comm::kDestinationList, LB_SETSEL, TRUE, line);
    SetDlgItemTextW(dialog, comm::kDestinationEdit, u"");
  }
  SetFocus(GetDlgItem(dialog, IDOK));
}

void RemoveDestinations(HWND dialog, CommDialogState& state) {
  EntryRecord& record = *state.record;
  RemoveSelectedLines(dialog, comm::kDestinationList, kMaxDestinations);
  const LRESULT lines = SendDlgItemMessageW(dialog, comm::kDestinationList, LB_GETCOUNT, 0, 0);
  record.destinationCount = std::clamp<int>(static_cast<int>(lines), 0, kMaxDestinations);
  EnableControl(dialog, comm::kAddDestinationButton, record.destinationCount < kMaxDestinations);
  // Slots past the count keep their old codes; only the count says what is used.
  if (record.destinationCount > 0) {
    StoreLines(dialog, record);
  } else {
    EnableControl(dialog, comm::kRemoveDestinationButton, false);
  }
  SetFocus(GetDlgItem(dialog, IDOK));
}

}  // namespace tq::faxui
