#include "line_part.h"

#include <string>

#include "common/ansi_slots.h"

namespace tq::phonebook {

std::size_t WidenThroughCodePage(std::string_view text, char16_t* out) {
  std::u16string wide = AnsiToWide(text, kLinePartUnits);
  std::copy(wide.begin(), wide.end(), out);
  return wide.size();
}

std::size_t IndividualLineSlowly(std::string_view body, char16_t* line) {
  // The name, then the fax number when the name's field is closed.
  std::size_t units = 0;
  std::size_t nameBytes = WidenLinePart(body, line, units);
  std::size_t length = units;
  line[length++] = kLineBlank;
  line[length++] = kLineNumberOpen;
  units = 0;
  if (nameBytes < body.size()) WidenLinePart(body.substr(nameBytes + 1), line + length, units);
  length += units;
  line[length++] = kLineNumberClose;
  return length;
}

}  // namespace tq::phonebook
