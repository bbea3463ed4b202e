// Phonebook records: the entry pair, display lines and the key comparison.
//
// A record is named to the store by its display line (common/record_key.h).
// The store compares keys on their ANSI form, ignoring the case of ASCII
// letters only.
#pragma once

#include <string>
#include <string_view>

#include "common/ansi_slots.h"
#include "common/entry_record.h"
#include "common/record_key.h"
#include "common/recipient_list.h"

namespace tq::phonebook {

// An individual phonebook entry is the same pair of records as a recipient,
// so entries pass between phonebook and recipient list by copying.
using PhonebookEntry = FaxRecipient;

// The item data of a list line, and the record's start byte in the file.
using tq::RecordType;

// The longest name or fax number in a key, in ANSI bytes.
inline constexpr std::size_t kKeyTextLength = 30;

// Zero when equal: ASCII letters compare without case, a byte of 0x80 or
// more and the byte after it compare exactly (a double-byte character).
// Otherwise the signed difference of the first differing bytes.
int CompareKeys(std::string_view a, std::string_view b);
inline bool KeysEqual(std::string_view a, std::string_view b) { return CompareKeys(a, b) == 0; }

// Starts a new entry: the default record and cleared details.
void ResetWorkingEntry(PhonebookEntry& entry);
// Copies the whole record and details as blocks (working entry <-> recipient).
void CopyEntry(const PhonebookEntry& from, PhonebookEntry& to);
// An entry read from the phonebook becoming a recipient: its record (never
// a speed-dial number) and its details, marked available.
void TakeEntryAsRecipient(const PhonebookEntry& entry, EntryRecord& record, EntryDetails& details);

}  // namespace tq::phonebook
