// win.ini in the Windows directory: "[section]" lines and "key=value" lines
// below them, both names without case. Lines this code does not understand
// are kept as they are when the file is rewritten.
#include <cstdlib>
#include <string>
#include <vector>

#include "hive_store.h"
#include "win/file_read.h"
#include "win/file_replace.h"
#include "win/text.h"

namespace {

std::string ProfilePath() { return tq::WindowsDirectory() + "/win.ini"; }

std::string Trim(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(start, end - start + 1));
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

// Profiles hold a few sections of short lines.
constexpr std::size_t kMaxProfileBytes = 1 << 20;

std::vector<std::string> ReadLines() {
  // A missing, foreign or oversized profile reads as an empty one.
  std::string text;
  tq::ReadRegularFile(ProfilePath(), kMaxProfileBytes, text);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The section name of a "[name]" line, or nothing.
bool SectionName(const std::string& line, std::string& name) {
  std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return false;
  name = Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
  return true;
}

bool KeyLine(const std::string& line, std::string& key, std::string& value) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(std::string_view(line).substr(0, equals));
  value = Trim(std::string_view(line).substr(equals + 1));
  return !key.empty() && key[0] != ';';
}

bool FindValue(const std::vector<std::string>& lines, const char* app, const char* key, std::string& value) {
  bool inSection = false;
  for (const std::string& line : lines) {
    std::string name;
    std::string lineKey;
    if (SectionName(line, name)) {
      inSection = SameText(name, app);
    } else if (inSection && KeyLine(line, lineKey, value) && SameText(lineKey, key)) {
      return true;
    }
  }
  return false;
}

}  // namespace

// Leading decimal digits (with a sign) or a 0x hexadecimal number; anything
// else reads as 0, as Win32 does.
extern "C" UINT GetProfileIntA(LPCSTR app, LPCSTR key, INT defaultValue) {
  if (app == nullptr || key == nullptr) return static_cast<UINT>(defaultValue);
  std::string value;
  if (!FindValue(ReadLines(), app, key, value)) return static_cast<UINT>(defaultValue);
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    return static_cast<UINT>(std::strtoul(value.c_str() + 2, nullptr, 16));
  }
  long number = 0;
  size_t i = 0;
  bool negative = !value.empty() && value[0] == '-';
  if (negative) i = 1;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    number = number * 10 + (value[i] - '0');
    if (number > 0xFFFFFFFFL) break;
  }
  return static_cast<UINT>(negative ? -number : number);
}

// A null key removes the section, a null value the key.
extern "C" BOOL WriteProfileStringA(LPCSTR app, LPCSTR key, LPCSTR value) {
  if (app == nullptr) return TRUE;  // asks to flush a cache that this store does not keep
  std::string path = ProfilePath();
  DWORD error = tq::registry::WithLock(path + ".lock", [&]() -> DWORD {
    std::vector<std::string> lines = ReadLines();
    std::vector<std::string> out;
    bool inSection = false;
    bool sectionSeen = false;
    bool written = false;
    for (const std::string& line : lines) {
      std::string name;
      std::string lineKey;
      std::string lineValue;
      if (SectionName(line, name)) {
        if (inSection && !written && key != nullptr && value != nullptr) {
          out.push_back(std::string(key) + "=" + value);
          written = true;
        }
        inSection = SameText(name, app);
        sectionSeen = sectionSeen || inSection;
        if (inSection && key == nullptr) continue;
      } else if (inSection && key == nullptr) {
        continue;
      } else if (inSection && KeyLine(line, lineKey, lineValue) && SameText(lineKey, key)) {
        if (value != nullptr && !written) out.push_back(std::string(key) + "=" + value);
        written = true;
        continue;
      }
      out.push_back(line);
    }
    if (!written && key != nullptr && value != nullptr) {
      if (!sectionSeen) out.push_back("[" + std::string(app) + "]");
      // The section was the last one, or is new: its key goes at the end.
      out.push_back(std::string(key) + "=" + value);
    }
    std::string text;
    for (const std::string& line : out) text += line + "\r\n";
    return tq::ReplaceFileContents(tq::Utf8ToUtf16(path), text);
  });
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
