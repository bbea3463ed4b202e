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
};

// Reads and splits the file at `path`; 0 or kCannotOpen, kNoSize,
// kNoMemory, kNothingRead. A file that shrinks while it is read gives what
// could be read.
int ReadCsvFile(std::u16string_view path, CsvFile& file);

// Splits the bytes of `text` (taken over) into lines; used by ReadCsvFile
// and by the tests.
void SplitCsvLines(std::unique_ptr<char[]> text, std::size_t size, CsvFile& file);

// The fields of `line`, which must lie in a writable buffer: quoted fields
// are unquoted in place ("" becomes "), and text after a closing quote up
// to the next separator is dropped. False when a quoted field has no
// closing quote. An empty line has no fields.
bool SplitFields(std::string_view line, std::vector<std::string_view>& fields);

}  // namespace tq::import
