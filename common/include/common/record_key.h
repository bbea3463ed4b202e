// The key of a phonebook record or a recipient, and its display line.
//
// Every list shows a record by one line: "name <fax>" for an individual,
// "name <'nnn'>" for a recipient typed as a device speed-dial number,
// "[name]" for a group. The key is the value the code passes around; the
// line is made from it in one place (Line) and, where only a line is at
// hand (a list of phonebook lines, a line given on a command line), turned
// back into a key in one place (FromLine).
#pragma once

#include <string>
#include <string_view>

#include "common/entry_record.h"

namespace tq {

// The item data of a phonebook list line, and the record's start byte in
// the phonebook file.
enum class RecordType : int { Individual = 1, Group = 2 };

struct RecordKey {
  RecordType type = RecordType::Individual;
  // The number is a device speed-dial number (a recipient, never a
  // phonebook entry).
  bool speedDial = false;
  std::u16string name;    // the person's or the group's name
  std::u16string number;  // fax or speed-dial number; empty for a group

  static RecordKey Individual(std::u16string_view name, std::u16string_view faxNumber);
  static RecordKey SpeedDial(std::u16string_view name, std::u16string_view number);
  static RecordKey Group(std::u16string_view name);
  // The key of a recipient or an entry: name and number from the record's
  // ANSI slots, at most 31 units each, speed-dial when its flag is 1.
  static RecordKey Of(const EntryRecord& record);

  // "name <fax>", "name <'nnn'>" or "[name]".
  std::u16string Line() const;
  // The same at the end of `line`.
  void AppendLine(std::u16string& line) const;
  // The number as the line shows it: "<fax>" or "<'nnn'>".
  std::u16string BracketedNumber() const;

  // The key a display line names. A group's name runs from the line's
  // second character to its first ']'. An individual's line is cut at its
  // last blank: the name is what stands before it, the number runs from the
  // second character after it to the last but one. A name may therefore
  // hold blanks, '<', '>' and brackets; a fax number holds no blank.
  static RecordKey FromLine(std::u16string_view line, RecordType type);

  bool operator==(const RecordKey&) const = default;
};

// The characters that frame a display line's parts: Line() uses them, and
// so does the phonebook listing, which builds lines straight from record
// bytes to list a large phonebook fast.
inline constexpr char16_t kLineBlank = u' ';
inline constexpr char16_t kLineNumberOpen = u'<';
inline constexpr char16_t kLineNumberClose = u'>';
inline constexpr char16_t kLineSpeedDialMark = u'\'';
inline constexpr char16_t kLineGroupOpen = u'[';
inline constexpr char16_t kLineGroupClose = u']';

// A key as the phonebook store compares it: ANSI, each part at most 30 bytes.
struct AnsiRecordKey {
  std::string name;       // individual name, or group name
  std::string faxNumber;  // empty for a group
};

// The key a display line names to the store: the line converted to ANSI
// (at most 64 bytes) and cut as FromLine cuts it.
AnsiRecordKey AnsiKeyOfLine(std::u16string_view line, RecordType type);
// The same for the key's own line, so a key names the record its line names.
AnsiRecordKey AnsiKeyOf(const RecordKey& key);

}  // namespace tq
