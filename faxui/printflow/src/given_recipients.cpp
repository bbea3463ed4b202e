#include "printflow/given_recipients.h"

#include <optional>
#include <vector>

#include "common/ansi_slots.h"
#include "dialogs/edit_filters.h"
#include "faxui/text_routines.h"
#include "phonebook/current_phonebook.h"
#include "phonebook/reading.h"
#include "phonebook/records.h"
#include "recipients/recipient_addition.h"
#include "recipients/speed_dial.h"
#include "win/ansi_text.h"
#include "win/text.h"

namespace tq::faxui {

namespace {


constexpr int kFieldSize = kRecipientTextLength + 1;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The current phonebook's lines, read once when a recipient needs them.
struct PhonebookLines {
  bool read = false;
  bool available = false;
  std::u16string path;
  std::vector<std::pair<RecordType, std::u16string>> lines;
};

bool ReadPhonebookLines(PhonebookLines& book) {
  if (book.read) return book.available;
  book.read = true;
  phonebook::CurrentPhonebook current;
  // No dialog runs here: an older phonebook is not converted.
  const bool located = phonebook::LocateCurrentPhonebook(current, {});
  book.path = current.path;
  if (!located) return false;
  const phonebook::ReadOutcome outcome =
      phonebook::ListRecords(current.path, [&](RecordType type, std::u16string_view line) {
        book.lines.emplace_back(type, std::u16string(line));
      });
  book.available = outcome.ok();
  return book.available;
}

std::string PhonebookProblem(const PhonebookLines& book) {
  return "the phonebook " + Utf16ToUtf8(book.path) + " cannot be read";
}

bool SameKey(std::u16string_view a, std::u16string_view b) {
  return phonebook::KeysEqual(WideToAnsi(a, phonebook::kKeyTextLength), WideToAnsi(b, phonebook::kKeyTextLength));
}

// The list built so far, and the lines in it for sending to each once.
struct Building {
  PromptSession& session;
  int speedDialLimit;
  std::vector<std::u16string> lines;
  std::string error;

  bool Has(const std::u16string& line) const {
    for (const auto& present : lines) {
      if (present.size() == line.size() && SameKey(present, line)) return true;
    }
    return false;
  }
  bool Full(std::string_view item) {
    if (session.recipients.block.count < kMaxRecipients) return false;
    error = Quoted(item) + ": a fax job takes at most 50 recipients";
    return true;
  }
};

std::string RefusalText(AddRefusal refusal, int speedDialLimit) {
  switch (refusal) {
    case AddRefusal::None: return {};
    case AddRefusal::EmptyNumber: return "no fax number";
    case AddRefusal::ListFull: return "a fax job takes at most 50 recipients";
    case AddRefusal::WildcardMisuse:
      return "not a speed-dial number (the wildcard * stands only as in 11* or ***)";
    case AddRefusal::SpeedDialOutOfRange:
      return "not a speed-dial number of the device (1-" + std::to_string(speedDialLimit) + ")";
  }
  return {};
}

// A fax number as the number field of the dialog takes it: a character
// its filter would take out or change is refused, and so is a letter (a
// misspelt name must not be dialled).
bool CheckFaxNumber(std::u16string_view number, std::string_view item, std::string& error) {
  if (number.size() > static_cast<std::size_t>(kRecipientTextLength)) {
    error = Quoted(item) + ": a fax number has at most 30 characters";
    return false;
  }
  const std::u16string text(number);
  char16_t upper = 0;
  bool letters = false;
  for (char16_t c : text) letters = letters || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  if (letters || FirstFaxNumberFault(text.c_str(), &upper) >= 0) {
    error = Quoted(item) + ": not a fax number (digits and dialling signs, no blank, comma or letter)";
    return false;
  }
  return true;
}

bool CheckName(std::u16string_view name, std::string_view item, std::string& error) {
  const std::u16string text(name);
  if (text.size() > static_cast<std::size_t>(kRecipientTextLength)) {
    error = Quoted(item) + ": a recipient's name has at most 30 characters";
    return false;
  }
  if (FirstRefusedCharacter(text.c_str(), u'[', u']', FilterType::RefuseLowAndHigh) >= 0) {
    error = Quoted(item) + ": a recipient's name holds no '[' or ']'";
    return false;
  }
  return true;
}

// A typed recipient, as "&Vers->" adds it.
bool AddTyped(Building& building, std::string_view item, std::u16string name, std::u16string number,
              bool speedDial) {
  if (!CheckName(name, item, building.error)) return false;
  if (speedDial) {
    if (number.size() > 3 ||
        FirstRefusedCharacter(number.c_str(), u'0', u'9', FilterType::RangeAndStar) >= 0) {
      building.error = Quoted(item) + ": a speed-dial number has three digits at most";
      return false;
    }
  } else if (!CheckFaxNumber(number, item, building.error)) {
    return false;
  }
  char16_t field[kFieldSize] = {};
  CopyToWideSlot(field, number);
  const AddRefusal refusal =
      CheckTypedRecipient(building.session.recipients, field, speedDial, building.speedDialLimit);
  if (refusal != AddRefusal::None) {
    building.error = Quoted(item) + ": " + RefusalText(refusal, building.speedDialLimit);
    return false;
  }
  char16_t trimmed[kFieldSize] = {};
  CopyToWideSlot(trimmed, name);
  TrimWide(trimmed);
  const std::u16string line =
      (speedDial ? RecordKey::SpeedDial(trimmed, field) : RecordKey::Individual(trimmed, field)).Line();
  if (building.Has(line)) return true;
  AppendTypedRecipient(building.session.recipients, trimmed, field, speedDial);
  building.lines.push_back(line);
  return true;
}

// The phonebook entry of that display line, as the selection form takes
// it; an entry gone since it was listed keeps what its line says.
bool AddEntry(Building& building, std::string_view item, const PhonebookLines& book, const std::u16string& line) {
  if (building.Has(line)) return true;
  if (building.Full(item)) return false;
  RecipientList& list = building.session.recipients;
  const int slot = list.block.count;
  phonebook::PhonebookEntry working;
  phonebook::ResetWorkingEntry(working);
  if (phonebook::ReadEntry(book.path, line, working) == StoreResult::Ok) {
    phonebook::TakeEntryAsRecipient(working, list.block.records[slot], list.details[slot]);
  } else {
    const AnsiRecordKey key = AnsiKeyOfLine(line, RecordType::Individual);
    EntryRecord& record = list.block.records[slot];
    record = DefaultEntryRecord;
    key.name.copy(record.name, sizeof record.name - 1);
    key.faxNumber.copy(record.faxNumber, sizeof record.faxNumber - 1);
    ClearEntryDetails(list.details[slot]);
    CopyToWideSlot(list.details[slot].name, AnsiToWide(key.name));
    CopyToWideSlot(list.details[slot].faxNumber, AnsiToWide(key.faxNumber));
    list.details[slot].detailsAvailable = 1;
  }
  list.block.count = slot + 1;
  building.lines.push_back(line);
  return true;
}

bool AddGroup(Building& building, std::string_view item, PhonebookLines& book, std::u16string_view groupName) {
  if (!ReadPhonebookLines(book)) {
    building.error = Quoted(item) + ": " + PhonebookProblem(book);
    return false;
  }
  const std::u16string groupLine = RecordKey::Group(groupName).Line();
  const std::u16string* found = nullptr;
  for (const auto& [type, line] : book.lines) {
    if (type == RecordType::Group && line.size() == groupLine.size() && SameKey(line, groupLine)) found = &line;
    if (found != nullptr) break;
  }
  if (found == nullptr) {
    building.error = Quoted(item) + ": no such group in the phonebook " + Utf16ToUtf8(book.path);
    return false;
  }
  std::vector<std::u16string> members;
  const phonebook::ReadOutcome outcome = phonebook::ReadGroupMembers(
      book.path, AnsiKeyOfLine(*found, RecordType::Group).name,
      [&](std::string_view name, std::string_view fax) {
        members.push_back(RecordKey::Individual(AnsiToWide(name), AnsiToWide(fax)).Line());
        return true;
      });
  if (!outcome.ok()) {
    building.error = Quoted(item) + ": " + PhonebookProblem(book);
    return false;
  }
  for (const auto& member : members) {
    if (!AddEntry(building, item, book, member)) return false;
  }
  return true;
}

// The individual lines of the phonebook whose key matches.
std::vector<std::u16string> MatchingEntries(const PhonebookLines& book, std::u16string_view name,
                                            std::optional<std::u16string_view> number) {
  std::vector<std::u16string> matches;
  const std::string wantedName = WideToAnsi(name, phonebook::kKeyTextLength);
  const std::string wantedNumber = number ? WideToAnsi(*number, phonebook::kKeyTextLength) : std::string();
  for (const auto& [type, line] : book.lines) {
    if (type != RecordType::Individual) continue;
    const AnsiRecordKey key = AnsiKeyOfLine(line, RecordType::Individual);
    if (!phonebook::KeysEqual(key.name, wantedName)) continue;
    if (number && !phonebook::KeysEqual(key.faxNumber, wantedNumber)) continue;
    matches.push_back(line);
  }
  return matches;
}

bool LooksLikeNumber(std::u16string_view text) {
  bool digit = false;
  for (char16_t c : text) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c > 0x7F || c == u' ') return false;
    digit = digit || (c >= u'0' && c <= u'9');
  }
  return digit;
}

bool AddItem(Building& building, std::string_view item, PhonebookLines& book) {
  const std::u16string text = Utf8ToUtf16(item);
  if (text.empty()) {
    building.error = Quoted(item) + ": not text (UTF-8)";
    return false;
  }
  if (text.size() >= 2 && text.front() == u'[' && text.back() == u']') {
    return AddGroup(building, item, book, std::u16string_view(text).substr(1, text.size() - 2));
  }
  if (text.front() == u'#') return AddTyped(building, item, u"", text.substr(1), true);
  if (text.back() == u'>' && text.find(u" <") != std::u16string::npos) {
    RecordKey key = RecordKey::FromLine(text, RecordType::Individual);
    while (!key.name.empty() && key.name.back() == u' ') key.name.pop_back();
    // A speed-dial number as "#12", or as the lists show it, "'012'".
    const bool quoted = key.number.size() >= 2 && key.number.front() == u'\'' && key.number.back() == u'\'';
    if (quoted) return AddTyped(building, item, key.name, key.number.substr(1, key.number.size() - 2), true);
    if (!key.number.empty() && key.number.front() == u'#') {
      return AddTyped(building, item, key.name, key.number.substr(1), true);
    }
    if (ReadPhonebookLines(book)) {
      const auto matches = MatchingEntries(book, key.name, key.number);
      if (!matches.empty()) return AddEntry(building, item, book, matches.front());
    }
    return AddTyped(building, item, key.name, key.number, false);
  }
  if (LooksLikeNumber(text)) return AddTyped(building, item, u"", text, false);
  if (!ReadPhonebookLines(book)) {
    building.error = Quoted(item) + ": not a fax number, and " + PhonebookProblem(book);
    return false;
  }
  const auto matches = MatchingEntries(book, text, std::nullopt);
  if (matches.empty()) {
    building.error = Quoted(item) + ": not a fax number, and no entry of the phonebook " +
                     Utf16ToUtf8(book.path) + " has that name";
    return false;
  }
  if (matches.size() > 1) {
    building.error = Quoted(item) + ": " + std::to_string(matches.size()) +
                     " entries of the phonebook have that name; give the entry's line, as \"" +
                     Utf16ToUtf8(matches.front()) + "\"";
    return false;
  }
  return AddEntry(building, item, book, matches.front());
}

bool ParseDelay(std::string_view text, PromptSession& session, std::string& error) {
  error = "fax-delay: " + Quoted(text) + " is not a time HH:MM (00:00 to 23:59)";
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  const auto number = [](std::string_view digits, int last, std::int32_t& value) {
    if (digits.empty() || digits.size() > 2) return false;
    value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    return value <= last;
  };
  std::int32_t hour = 0, minute = 0;
  if (!number(text.substr(0, colon), kLastHour, hour) || !number(text.substr(colon + 1), kLastMinute, minute)) {
    return false;
  }
  session.delayedSend = 1;
  session.hour = hour;
  session.minute = minute;
  error.clear();
  return true;
}

}  // namespace

bool ResolveGivenJob(const GivenJob& job, PromptSession& session, std::string& error) {
  session.recipients.block.count = 0;
  session.delayedSend = 0;
  session.hour = 0;
  session.minute = 0;
  if (!job.delay.empty() && !ParseDelay(job.delay, session, error)) return false;
  Building building{session, SpeedDialLimit(session.privateArea), {}, {}};
  PhonebookLines book;
  std::string_view rest = job.to;
  while (true) {
    const auto end = rest.find(';');
    const std::string_view item = Trimmed(rest.substr(0, end));
    if (!item.empty() && !AddItem(building, item, book)) {
      error = building.error;
      return false;
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (session.recipients.block.count == 0) {
    error = "fax-to: " + Quoted(job.to) + " names no recipient";
    return false;
  }
  return true;
}

}  // namespace tq::faxui
