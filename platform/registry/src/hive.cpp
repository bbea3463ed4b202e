#include "hive.h"

#include <cstdio>

#include "win/quoting.h"
#include "win/text.h"

namespace tq::registry {
namespace {

constexpr std::string_view kHeader = "TELEQUILL-REGISTRY 1";

char16_t FoldChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text at text[i]; advances i past the closing quote.
std::optional<std::string> Unquote(std::string_view text, size_t& i) {
  if (i >= text.size() || text[i] != '"') return std::nullopt;
  std::string out;
  for (++i; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      ++i;
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        int high = HexDigit(text[i + 1]);
        int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    out += digits[static_cast<unsigned char>(c) >> 4];
    out += digits[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

std::optional<std::string> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < text.size(); i += 2) {
    int high = HexDigit(text[i]);
    int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
  }
  return out;
}

// The string a text value's bytes hold, if they are one well-formed UTF-16
// string with a single terminator at the end.
std::optional<std::u16string> StoredText(const std::string& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i < data.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                  (static_cast<unsigned char>(data[i + 1]) << 8));
  }
  if (text.back() != 0) return std::nullopt;
  text.pop_back();
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == 0) return std::nullopt;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return std::nullopt;
    }
  }
  return text;
}

std::string TextBytes(std::u16string_view text) {
  std::string data;
  for (char16_t c : text) {
    data += static_cast<char>(c & 0xFF);
    data += static_cast<char>(c >> 8);
  }
  return data + std::string(2, '\0');
}

std::string ValueData(const Value& value) {
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
    if (auto text = StoredText(value.data)) {
      return (value.type == REG_SZ ? "sz:" : "expand:") + QuoteC(Utf16ToUtf8(*text));
    }
  }
  if (value.type == REG_DWORD && value.data.size() == 4) {
    auto byte = [&](int k) { return static_cast<unsigned>(static_cast<unsigned char>(value.data[k])); };
    char hex[16];
    std::snprintf(hex, sizeof hex, "dword:%08x", byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
    return hex;
  }
  if (value.type == REG_BINARY) return "hex:" + Hex(value.data);
  return "hex(" + std::to_string(value.type) + "):" + Hex(value.data);
}

std::optional<Value> ParseValue(std::string_view line) {
  Value value;
  size_t i = 0;
  if (line.substr(0, 1) == "@") {
    i = 1;
  } else {
    auto name = Unquote(line, i);
    if (!name || name->empty()) return std::nullopt;
    value.name = Utf8ToUtf16(*name);
  }
  if (i >= line.size() || line[i] != '=') return std::nullopt;
  std::string_view rest = line.substr(i + 1);
  auto text = [&](std::string_view prefix, DWORD type) -> bool {
    if (rest.substr(0, prefix.size()) != prefix) return false;
    size_t k = prefix.size();
    auto body = Unquote(rest, k);
    if (!body || k != rest.size()) return false;
    value.type = type;
    value.data = TextBytes(Utf8ToUtf16(*body));
    return true;
  };
  if (text("sz:", REG_SZ) || text("expand:", REG_EXPAND_SZ)) return value;
  if (rest.substr(0, 6) == "dword:") {
    auto bytes = Unhex(rest.substr(6));
    if (!bytes || bytes->size() != 4) return std::nullopt;
    value.type = REG_DWORD;
    value.data = std::string(bytes->rbegin(), bytes->rend());  // written big-endian, kept little
    return value;
  }
  if (rest.substr(0, 4) == "hex:") {
    auto bytes = Unhex(rest.substr(4));
    if (!bytes) return std::nullopt;
    value.type = REG_BINARY;
    value.data = *bytes;
    return value;
  }
  if (rest.substr(0, 4) == "hex(") {
    size_t close = rest.find("):");
    if (close == std::string_view::npos || close == 4) return std::nullopt;
    unsigned long type = 0;
    for (char c : rest.substr(4, close - 4)) {
      if (c < '0' || c > '9' || type > 0xFFFFFFFul) return std::nullopt;
      type = type * 10 + static_cast<unsigned long>(c - '0');
    }
    auto bytes = Unhex(rest.substr(close + 2));
    if (!bytes) return std::nullopt;
    value.type = static_cast<DWORD>(type);
    value.data = *bytes;
    return value;
  }
  return std::nullopt;
}

}  // namespace

Value* Key::Find(std::u16string_view name) {
  for (Value& value : values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

std::u16string Fold(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = FoldChar(c);
  return folded;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  }
  return true;
}

std::u16string JoinPath(std::u16string_view base, std::u16string_view sub) {
  std::u16string path;
  for (std::u16string_view part : {base, sub}) {
    size_t start = 0;
    while (start <= part.size()) {
      size_t end = part.find(u'\\', start);
      if (end == std::u16string_view::npos) end = part.size();
      if (end > start) {
        if (!path.empty()) path += u'\\';
        path += part.substr(start, end - start);
      }
      start = end + 1;
    }
  }
  return path;
}

std::string Serialize(const Hive& hive) {
  std::string out = std::string(kHeader) + "\n";
  // The root's own values come first, before any key line.
  for (const auto& [folded, key] : hive.keys) {
    if (!key.path.empty()) out += "[" + Utf16ToUtf8(key.path) + "]\n";
    for (const Value& value : key.values) {
      out += value.name.empty() ? std::string("@") : QuoteC(Utf16ToUtf8(value.name));
      out += "=" + ValueData(value) + "\n";
    }
  }
  return out;
}

std::optional<Hive> Parse(std::string_view text) {
  Hive hive;
  Key* current = &hive.keys[u""];
  bool first = true;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      if (line != kHeader) return std::nullopt;
      first = false;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      if (line.size() < 3 || line.back() != ']') return std::nullopt;
      std::u16string path = JoinPath(Utf8ToUtf16(line.substr(1, line.size() - 2)), u"");
      if (path.empty()) return std::nullopt;
      current = &hive.keys[Fold(path)];
      if (current->path.empty()) current->path = path;
      continue;
    }
    auto value = ParseValue(line);
    if (!value || current->Find(value->name) != nullptr) return std::nullopt;
    current->values.push_back(std::move(*value));
  }
  if (first) return std::nullopt;
  if (hive.keys[u""].values.empty()) hive.keys.erase(u"");
  // Every key's parents exist, as the API creates them.
  std::vector<std::u16string> parents;
  for (const auto& [folded, key] : hive.keys) {
    for (size_t slash = key.path.rfind(u'\\'); slash != std::u16string::npos && slash > 0;
         slash = key.path.rfind(u'\\', slash - 1)) {
      parents.push_back(key.path.substr(0, slash));
    }
  }
  for (const std::u16string& parent : parents) {
    Key& key = hive.keys[Fold(parent)];
    if (key.path.empty()) key.path = parent;
  }
  return hive;
}

}  // namespace tq::registry
