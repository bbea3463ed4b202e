#include "phonebook/records.h"

#include <algorithm>
#include <cstring>

#include "faxui/text_routines.h"

namespace tq::phonebook {

int CompareKeys(std::string_view a, std::string_view b) {
  // Most keys met in a search differ in their first byte; settle those
  // without copying (ASCII letters folded to lower case, as below).
  if (!a.empty() && !b.empty()) {
    auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : static_cast<int>(c); };
    auto x = static_cast<unsigned char>(a[0]);
    auto y = static_cast<unsigned char>(b[0]);
    if (x < 0x80 && y < 0x80 && fold(x) != fold(y)) return fold(x) - fold(y);
  }
  // Keys are at most 30 bytes; longer texts are compared whole all the same.
  char left[64];
  char right[64];
  std::string longLeft;
  std::string longRight;
  auto terminated = [](std::string_view text, char (&small)[64], std::string& large) -> const char* {
    if (text.size() < sizeof small) {
      std::copy(text.begin(), text.end(), small);  // an empty view may have no data at all
      small[text.size()] = '\0';
      return small;
    }
    large.assign(text);
    return large.c_str();
  };
  return faxui::CompareNoCase(terminated(a, left, longLeft), terminated(b, right, longRight));
}

void ResetWorkingEntry(PhonebookEntry& entry) {
  entry.record = DefaultEntryRecord;
  ClearEntryDetails(entry.details);
}

void CopyEntry(const PhonebookEntry& from, PhonebookEntry& to) {
  std::memcpy(&to.record, &from.record, sizeof to.record);
  std::memcpy(&to.details, &from.details, sizeof to.details);
}

void TakeEntryAsRecipient(const PhonebookEntry& entry, EntryRecord& record, EntryDetails& details) {
  record = entry.record;
  record.speedDialFlag = 0;
  details = entry.details;
  details.detailsAvailable = 1;
}

}  // namespace tq::phonebook
