// Splitting a UTF-16 display line needs the code page conversion, which the
// byte-level record code does without.
#include "common/ansi_slots.h"
#include "phonebook/records.h"

namespace tq::phonebook {

namespace {
// Display lines are converted with at most 65 bytes (terminator included).
constexpr std::size_t kLineAnsiLength = 64;
}  // namespace

RecordKey SplitDisplayLine(std::u16string_view line, RecordType type) {
  return SplitAnsiDisplayLine(WideToAnsi(line, kLineAnsiLength), type);
}

}  // namespace tq::phonebook
