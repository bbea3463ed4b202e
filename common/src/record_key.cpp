#include "common/record_key.h"

#include <algorithm>
#include <utility>

#include "common/ansi_slots.h"

namespace tq {

namespace {

// Name and number of each record slot shown in a line, in UTF-16 units.
constexpr std::size_t kLinePartUnits = 31;
// A display line is converted with at most 65 bytes, terminator included.
constexpr std::size_t kLineAnsiLength = 64;
// The longest name or fax number in a store key, in ANSI bytes.
constexpr std::size_t kKeyPartBytes = 30;

// The one rule that cuts a display line into its parts, for UTF-16 lines
// and ANSI lines alike.
template <class Char>
std::pair<std::basic_string_view<Char>, std::basic_string_view<Char>> SplitLine(std::basic_string_view<Char> line,
                                                                                RecordType type) {
  using View = std::basic_string_view<Char>;
  if (type == RecordType::Group) {
    if (line.empty()) return {};
    const View rest = line.substr(1);
    return {rest.substr(0, rest.find(Char(kLineGroupClose))), View()};
  }
  const std::size_t blank = line.rfind(Char(kLineBlank));
  if (blank == View::npos) return {line, View()};
  // The number runs from the second character after the blank (past the
  // '<') to the last character but one (before the '>').
  const std::size_t first = blank + 2;
  const View number = line.size() > first ? line.substr(first, line.size() - 1 - first) : View();
  return {line.substr(0, blank), number};
}

std::string KeyPart(std::string_view text) { return std::string(text.substr(0, std::min(text.size(), kKeyPartBytes))); }

}  // namespace

RecordKey RecordKey::Individual(std::u16string_view name, std::u16string_view faxNumber) {
  return RecordKey{RecordType::Individual, false, std::u16string(name), std::u16string(faxNumber)};
}

RecordKey RecordKey::SpeedDial(std::u16string_view name, std::u16string_view number) {
  return RecordKey{RecordType::Individual, true, std::u16string(name), std::u16string(number)};
}

RecordKey RecordKey::Group(std::u16string_view name) {
  return RecordKey{RecordType::Group, false, std::u16string(name), std::u16string()};
}

RecordKey RecordKey::Of(const EntryRecord& record) {
  return RecordKey{RecordType::Individual, record.speedDialFlag == 1, AnsiSlotToWide(record.name, kLinePartUnits),
                   AnsiSlotToWide(record.faxNumber, kLinePartUnits)};
}

namespace {

// "<fax>" or "<'nnn'>" at the end of `text`.
void AppendBracketedNumber(std::u16string& text, std::u16string_view number, bool speedDial) {
  text += kLineNumberOpen;
  if (speedDial) text += kLineSpeedDialMark;
  text += number;
  if (speedDial) text += kLineSpeedDialMark;
  text += kLineNumberClose;
}

}  // namespace

std::u16string RecordKey::BracketedNumber() const {
  std::u16string text;
  text.reserve(number.size() + 4);
  AppendBracketedNumber(text, number, speedDial);
  return text;
}

std::u16string RecordKey::Line() const {
  std::u16string line;
  line.reserve(name.size() + number.size() + 5);
  AppendLine(line);
  return line;
}

void RecordKey::AppendLine(std::u16string& line) const {
  if (type == RecordType::Group) {
    line += kLineGroupOpen;
    line += name;
    line += kLineGroupClose;
    return;
  }
  line += name;
  line += kLineBlank;
  AppendBracketedNumber(line, number, speedDial);
}

RecordKey RecordKey::FromLine(std::u16string_view line, RecordType type) {
  const auto [name, number] = SplitLine(line, type);
  return RecordKey{type, false, std::u16string(name), std::u16string(number)};
}

AnsiRecordKey AnsiKeyOfLine(std::u16string_view line, RecordType type) {
  const std::string ansi = WideToAnsi(line, kLineAnsiLength);
  const auto [name, number] = SplitLine(std::string_view(ansi), type);
  return AnsiRecordKey{KeyPart(name), KeyPart(number)};
}

AnsiRecordKey AnsiKeyOf(const RecordKey& key) { return AnsiKeyOfLine(key.Line(), key.type); }

}  // namespace tq
