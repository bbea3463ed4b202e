#include "vcard_reader.h"

#include <algorithm>
#include <cctype>

#include "charsets.h"

namespace tq::vcard {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

// The physical lines of the input: ends at CRLF, LF or CR.
std::vector<std::string_view> PhysicalLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n' && bytes[i] != '\r') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// True when the property part of a line (before the first ':' outside
// quotes) declares quoted-printable, as 2.1 writes it (ENCODING=QUOTED-
// PRINTABLE or the bare QUOTED-PRINTABLE).
bool DeclaresQuotedPrintable(std::string_view line) {
  bool quoted = false;
  std::size_t end = 0;
  for (; end < line.size(); ++end) {
    if (line[end] == '"') quoted = !quoted;
    if (line[end] == ':' && !quoted) break;
  }
  std::string head = Upper(line.substr(0, end));
  return head.find("QUOTED-PRINTABLE") != std::string::npos;
}

struct LogicalLine {
  std::string text;
  bool tooLong = false;
};

// Joins folded lines (a line starting with a blank or a tab continues the
// one before, less that character) and quoted-printable soft breaks (a
// quoted-printable value ending in '=' continues on the next line).
std::vector<LogicalLine> LogicalLines(std::string_view bytes) {
  std::vector<LogicalLine> out;
  bool softBreak = false;
  for (std::string_view line : PhysicalLines(bytes)) {
    const bool folded = !out.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t');
    if ((folded || softBreak) && !out.empty()) {
      LogicalLine& last = out.back();
      std::string_view rest = folded && !softBreak ? line.substr(1) : line;
      if (softBreak) last.text.pop_back();  // the '=' of the soft break
      if (last.text.size() + rest.size() > kMaxLineBytes) {
        last.tooLong = true;
        last.text.clear();
      } else if (!last.tooLong) {
        last.text.append(rest);
      }
    } else if (line.empty()) {
      softBreak = false;
      continue;
    } else {
      LogicalLine next;
      if (line.size() > kMaxLineBytes) {
        next.tooLong = true;
      } else {
        next.text.assign(line);
      }
      out.push_back(std::move(next));
    }
    const LogicalLine& last = out.back();
    softBreak = !last.tooLong && !last.text.empty() && last.text.back() == '=' &&
                DeclaresQuotedPrintable(last.text);
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Quoted-printable: "=XX" is a byte; a '=' not followed by two hex digits
// is kept as written, so a broken value still reads as what it shows.
std::string DecodeQuotedPrintable(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '=' && i + 2 < value.size()) {
      int high = HexValue(value[i + 1]);
      int low = HexValue(value[i + 2]);
      if (high >= 0 && low >= 0) {
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        continue;
      }
    }
    out.push_back(value[i]);
  }
  return out;
}

// Splits "NAME;P=V;BARE:value" with quoted parameter values; false when the
// line has no ':' (not a property line).
bool ParseProperty(const std::string& line, Property& property) {
  std::size_t i = 0;
  std::size_t nameEnd = line.find_first_of(";:");
  if (nameEnd == std::string::npos) return false;
  std::string_view name(line.data(), nameEnd);
  if (std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
  if (name.empty()) return false;
  property.name = Upper(name);
  i = nameEnd;
  while (i < line.size() && line[i] == ';') {
    ++i;
    Parameter parameter;
    std::string raw;
    bool quoted = false;
    std::size_t equals = std::string::npos;
    for (; i < line.size(); ++i) {
      char c = line[i];
      if (c == '"') {
        quoted = !quoted;
        continue;
      }
      if (!quoted && (c == ';' || c == ':')) break;
      if (!quoted && c == '=' && equals == std::string::npos) {
        equals = raw.size();
        parameter.name = Upper(raw);
        continue;
      }
      raw.push_back(c);
    }
    if (equals == std::string::npos) {
      parameter.value = Upper(raw);  // 2.1: TEL;FAX;WORK:
    } else {
      parameter.value = raw.substr(equals);
    }
    property.parameters.push_back(std::move(parameter));
  }
  if (i >= line.size() || line[i] != ':') return false;
  property.value = line.substr(i + 1);
  return true;
}

void DecodeValue(Property& property) {
  std::string encoding = Upper(property.Param("ENCODING"));
  bool quotedPrintable = encoding == "QUOTED-PRINTABLE";
  for (const Parameter& parameter : property.parameters) {
    if (parameter.name.empty() && parameter.value == "QUOTED-PRINTABLE") quotedPrintable = true;
  }
  if (encoding == "B" || encoding == "BASE64") {
    property.value.clear();  // pictures and keys: nothing an address book import reads
    return;
  }
  if (quotedPrintable) property.value = DecodeQuotedPrintable(property.value);
  property.value = ToUtf8(property.value, property.Param("CHARSET"));
}

}  // namespace

std::string Property::Param(std::string_view wanted) const {
  for (const Parameter& parameter : parameters) {
    if (parameter.name == wanted) return parameter.value;
  }
  return {};
}

bool Property::HasType(std::string_view type) const {
  for (const Parameter& parameter : parameters) {
    if (parameter.name.empty() && EqualsNoCase(parameter.value, type)) return true;
    if (parameter.name == "PREF" && EqualsNoCase(type, "PREF")) return true;
    if (parameter.name != "TYPE") continue;
    std::string_view values = parameter.value;
    while (!values.empty()) {
      std::size_t comma = values.find(',');
      if (EqualsNoCase(values.substr(0, comma), type)) return true;
      if (comma == std::string_view::npos) break;
      values.remove_prefix(comma + 1);
    }
  }
  return false;
}

const Property* Card::Find(std::string_view wanted) const {
  for (const Property& property : properties) {
    if (property.name == wanted) return &property;
  }
  return nullptr;
}

ReadResult ReadCards(std::string_view bytes) {
  ReadResult result;
  Card card;
  bool open = false;
  int nested = 0;  // 2.1 AGENT cards inside a card are not read
  for (LogicalLine& line : LogicalLines(bytes)) {
    if (line.tooLong) {
      ++result.droppedLines;
      continue;
    }
    Property property;
    if (!ParseProperty(line.text, property)) {
      ++result.droppedLines;
      continue;
    }
    if (property.name == "BEGIN" && EqualsNoCase(property.value, "VCARD")) {
      result.sawBeginVcard = true;
      if (open && !card.properties.empty() && card.properties.back().name == "AGENT") {
        ++nested;
        continue;
      }
      if (open) ++result.skippedCards;  // the card before never ended
      card = Card{};
      open = true;
      card.text = line.text + "\n";
      continue;
    }
    if (!open) continue;
    if (property.name == "END" && EqualsNoCase(property.value, "VCARD")) {
      if (nested > 0) {
        --nested;
        continue;
      }
      card.text += line.text + "\n";
      if (card.properties.empty()) {
        ++result.skippedCards;
      } else {
        result.cards.push_back(std::move(card));
      }
      card = Card{};
      open = false;
      continue;
    }
    if (nested > 0) continue;
    card.text += line.text + "\n";
    DecodeValue(property);
    if (property.name == "VERSION") card.version = property.value;
    card.properties.push_back(std::move(property));
  }
  if (open) ++result.skippedCards;
  return result;
}

std::string Unescape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      char next = value[++i];
      out.push_back(next == 'n' || next == 'N' ? '\n' : next);
    } else {
      out.push_back(value[i]);
    }
  }
  return out;
}

std::vector<std::string> Components(std::string_view value) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    if (i + 1 < value.size() && value[i] == '\\') {
      ++i;
      continue;
    }
    if (i == value.size() || value[i] == ';') {
      parts.push_back(Unescape(value.substr(start, std::min(i, value.size()) - start)));
      start = i + 1;
    }
  }
  return parts;
}

}  // namespace tq::vcard
