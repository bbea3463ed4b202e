// The clean-up rules every import applies to names and fax numbers.
#include <cctype>

#include "addressbook/address_book_import.h"

namespace tq::import {

std::string TrimBlanks(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  return std::string(text.substr(start, text.find_last_not_of(' ') - start + 1));
}

// Square brackets mark groups in the phonebook, so a name gets round ones;
// the byte after a byte of 0x80 or above is a trail byte and is left alone.
std::string ReplaceNameBrackets(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (static_cast<unsigned char>(out[i]) >= 0x80) {
      ++i;
      continue;
    }
    if (out[i] == '[') out[i] = '(';
    if (out[i] == ']') out[i] = ')';
  }
  return out;
}

// Upper case, then only the printable bytes from '!' to 'z' but ',', '['
// and ']' stay.
std::string NormaliseFaxNumber(std::string_view number) {
  std::string out;
  for (char c : number) {
    unsigned char upper = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper <= 0x20 || upper > 'z' || upper == ',' || upper == '[' || upper == ']') continue;
    out.push_back(static_cast<char>(upper));
  }
  return out;
}

std::string CutField(std::string_view text) { return std::string(text.substr(0, kMaxFieldLength)); }

}  // namespace tq::import
