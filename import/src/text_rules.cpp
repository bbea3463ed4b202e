#include "import/text_rules.h"

#include "common/ansi_slots.h"

namespace tq::import {

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ReplaceNameBrackets(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte >= 0x80) {
      ++i;  // the trail byte may look like a bracket
    } else if (byte == '[') {
      out[i] = '(';
    } else if (byte == ']') {
      out[i] = ')';
    }
  }
  return out;
}

std::string NormalizeFaxNumber(std::string_view number) {
  std::string out;
  out.reserve(number.size());
  for (const char c : number) {
    // ASCII letters only: every other byte beyond the blank is dropped.
    const auto byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    if (byte <= 0x20 || byte > 'z' || byte == ',' || byte == '[' || byte == ']') continue;
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

std::string CutText(std::string_view text) { return std::string(AnsiSlotPart(text, kMaxTextLength + 1)); }

}  // namespace tq::import
