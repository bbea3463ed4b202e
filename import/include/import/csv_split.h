// The CSV file as the import reads it: read whole into one buffer and split
// there, so lines and fields are views into that buffer and nothing is
// copied. A line ends at a line feed (a carriage return before it is
// dropped); text after the last line feed is not read.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tq::import {

// A line has at most this many fields: the rest after the last separator
// is one field.
inline constexpr std::size_t kMaxFields = 1025;

// Negative codes of a file import; a non-negative result is a count.
inline constexpr int kCannotOpen = -1;
inline constexpr int kNoSize = -2;
inline constexpr int kNoMemory = -3;
inline constexpr int kNothingRead = -4;
inline constexpr int kNoFaxColumn = -5;
inline constexpr int kUnclosedQuote = -6;
inline constexpr int kBadSpeedDialHeader = -7;

struct CsvFile {
  std::unique_ptr<char[]> bytes;  // the file, split in place
  std::size_t size = 0;
  std::vector<std::string_view> lines;
  std::size_t header = 0;  // index of the first non-empty line; lines.size() when none
  char separator = ',';
};

// How the bytes of a file are taken: the device's speed-dial export is ANSI
// and comma-separated; the files office programs write may be UTF-8 and use
// ';' or TAB.
enum class CsvForm { DeviceExport, OfficeExport };

// Reads and splits the file at `path`; 0 or kCannotOpen, kNoSize,
// kNoMemory, kNothingRead. A file that shrinks while it is read gives what
// could be read. An office export that is valid UTF-8 (a byte order mark
// is dropped) is converted to the ANSI code page as typed text is, and its
// separator is the one that splits the header line into the most fields.
int ReadCsvFile(std::u16string_view path, CsvFile& file, CsvForm form = CsvForm::DeviceExport);

// Splits the bytes of `text` (taken over) into lines; used by ReadCsvFile
// and by the tests. Throws std::bad_alloc when the line index finds no
// memory.
void SplitCsvLines(std::unique_ptr<char[]> text, std::size_t size, CsvFile& file);

// The UTF-8 text of `text` (whole, without a byte order mark) in the ANSI
// code page, written over it; the new size. Never longer than the UTF-8
// form. False, with nothing changed, when the text is not valid UTF-8.
bool Utf8ToAnsiInPlace(char* text, std::size_t size, std::size_t& newSize);

// Of ',', ';' and TAB, the one that splits `line` into the most fields
// outside quotes; ',' on a tie.
char GuessSeparator(std::string_view line);

// The fields of `line`, which must lie in a writable buffer: quoted fields
// are unquoted in place ("" becomes "), and text after a closing quote up
// to the next separator is dropped. False when a quoted field has no
// closing quote. An empty line has no fields.
bool SplitFields(std::string_view line, std::vector<std::string_view>& fields, char separator = ',');

}  // namespace tq::import
