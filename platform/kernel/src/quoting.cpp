#include "win/quoting.h"

#include <cstdio>

namespace tq {

namespace {

// The escapes both forms share; false for a byte that has none of them.
bool AppendCommonEscape(std::string& out, char c) {
  switch (c) {
    case '\\': out += "\\\\"; return true;
    case '"': out += "\\\""; return true;
    case '\n': out += "\\n"; return true;
    case '\r': out += "\\r"; return true;
    case '\t': out += "\\t"; return true;
    default: return false;
  }
}

template <typename IsOther>
std::string Quote(std::string_view text, const char* otherFormat, IsOther isOther) {
  std::string out = "\"";
  for (char c : text) {
    if (AppendCommonEscape(out, c)) continue;
    const auto byte = static_cast<unsigned char>(c);
    if (isOther(byte)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, otherFormat, static_cast<unsigned>(byte));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::string QuoteC(std::string_view text) {
  return Quote(text, "\\x%02x", [](unsigned char byte) { return byte < 0x20 || byte == 0x7F; });
}

std::string QuoteJson(std::string_view utf8) {
  return Quote(utf8, "\\u%04x", [](unsigned char byte) { return byte < 0x20; });
}

}  // namespace tq
