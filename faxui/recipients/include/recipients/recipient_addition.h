// Adding one typed recipient to a job's list: the checks "&Vers->" makes
// and the record it appends. The recipient dialog and a recipient list
// given with the job (sent without any dialog) share them, so both accept
// and store exactly the same recipients.
#pragma once

#include <string>
#include <string_view>

#include "common/recipient_list.h"

namespace tq::faxui {

enum class AddRefusal {
  None,
  EmptyNumber,          // no number typed
  ListFull,             // the list already holds 50 recipients
  WildcardMisuse,       // a speed-dial number with '*' outside 11* or ***
  SpeedDialOutOfRange,  // a speed-dial number below 1 or above the limit
};

// The longest name or number a recipient takes, the terminator not counted.
inline constexpr int kRecipientTextLength = 30;

// Checks a typed number against the list. `number` holds at least
// kRecipientTextLength + 1 units; a short speed-dial number is padded in
// place with leading '0' (5 becomes 005) and goes on in that form.
AddRefusal CheckTypedRecipient(const RecipientList& list, char16_t* number, bool speedDial, int speedDialLimit);

// Appends the recipient (the list must have room): the default record with
// name and number in ANSI and the speed-dial flag, and details holding the
// name and number as typed. Returns its slot.
int AppendTypedRecipient(RecipientList& list, std::u16string_view name, std::u16string_view number, bool speedDial);

}  // namespace tq::faxui
