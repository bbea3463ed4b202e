#include "recipients/recipient_addition.h"

#include "common/ansi_slots.h"
#include "recipients/speed_dial.h"
#include "win/text.h"

namespace tq::faxui {

AddRefusal CheckTypedRecipient(const RecipientList& list, char16_t* number, bool speedDial, int speedDialLimit) {
  if (number[0] == u'\0') return AddRefusal::EmptyNumber;
  if (list.block.count >= kMaxRecipients) return AddRefusal::ListFull;
  if (!speedDial) return AddRefusal::None;
  switch (ValidateSpeedDialNumber(number, speedDialLimit)) {
    case kSpeedDialWildcardMisuse: return AddRefusal::WildcardMisuse;
    case kSpeedDialOutOfRange: return AddRefusal::SpeedDialOutOfRange;
    case kSpeedDialValid: return AddRefusal::None;
  }
  return AddRefusal::SpeedDialOutOfRange;
}

int AppendTypedRecipient(RecipientList& list, std::u16string_view name, std::u16string_view number, bool speedDial) {
  const int slot = list.block.count;
  EntryRecord& record = list.block.records[slot];
  record = DefaultEntryRecord;
  WideToAnsiSlot(name, record.name, WC_COMPOSITECHECK);
  WideToAnsiSlot(number, record.faxNumber, WC_COMPOSITECHECK);
  record.speedDialFlag = speedDial ? 1 : 0;
  EntryDetails& details = list.details[slot];
  ClearEntryDetails(details);
  CopyToWideSlot(details.name, name.substr(0, kRecipientTextLength));
  CopyToWideSlot(details.faxNumber, number.substr(0, kRecipientTextLength));
  list.block.count = slot + 1;
  return slot;
}

}  // namespace tq::faxui
