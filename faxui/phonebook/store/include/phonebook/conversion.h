// Conversion of the two older phonebook versions into a new file of the
// current version. The older files hold groups that list their members in
// full; the new file holds each distinct member once as an individual and
// every old group as a group of references.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "common/store_result.h"

namespace tq::phonebook {

// The display lines of the individuals already written during one
// conversion. The dialogs keep them in their hidden list box 1023; tools use
// FoldedLineSet.
class ConvertedLines {
 public:
  virtual ~ConvertedLines() = default;
  // Records the line unless one equal to it (ignoring case) is there; gives
  // the line as it was first recorded, and whether it is this one.
  struct Recorded {
    bool added = false;
    std::u16string firstLine;
  };
  virtual Recorded Record(std::u16string_view line) = 0;
  virtual void Clear() = 0;
};

// Lines compared without case for ASCII and Latin-1 letters, as the list
// box's exact search does.
class FoldedLineSet final : public ConvertedLines {
 public:
  Recorded Record(std::u16string_view line) override;
  void Clear() override { lines_.clear(); }

 private:
  std::map<std::u16string, std::u16string> lines_;  // folded line -> first line
};

// Converts the older file (version Version0000 or Version1000) at oldPath
// into a new phonebook at newPath. A member met again (the same display line
// ignoring case) is written once, and every group refers to it with the key
// it was written with, so that the reference finds it. Result: Ok, CannotOpen, NoMemory (an old group
// longer than the buffer), WriteFailed or BadFormat (not that version). The
// new file is written beside its final name (newPath's .TMP) and renamed
// over it only when complete, so a failure leaves an existing file of that
// name, and the old file, as they were.
[[nodiscard]] StoreResult ConvertOldPhonebook(std::u16string_view oldPath,
                                              std::u16string_view newPath,
                                              StoreResult version, ConvertedLines& written);

// Brackets "[" and "]" become "(" and ")", since the current version shows a
// group in square brackets; a byte of 0x80 or more and the byte after it
// are left as they are.
std::string ReplaceBrackets(std::string_view text);

}  // namespace tq::phonebook
