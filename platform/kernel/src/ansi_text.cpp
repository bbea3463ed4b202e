#include "win/ansi_text.h"

#include <algorithm>

#include "win/kernel.h"
#include "win/text.h"

namespace tq {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int AnsiSize(std::u16string_view text, DWORD flags) {
  return WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                             nullptr);
}

}  // namespace

std::string WideToAnsi(std::u16string_view text, std::size_t maxBytes, DWORD flags, bool* lossy) {
  if (lossy != nullptr) *lossy = false;
  if (text.empty() || maxBytes == 0) return {};
  int size = AnsiSize(text, flags);
  // Too long: drop characters from the end until the rest fits, never
  // leaving half of a surrogate pair (a double-byte character is never
  // split by the conversion itself).
  while (size > 0 && static_cast<std::size_t>(size) > maxBytes) {
    text.remove_suffix(1);
    if (!text.empty() && IsHighSurrogate(text.back())) text.remove_suffix(1);
    size = text.empty() ? 0 : AnsiSize(text, flags);
  }
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  BOOL usedDefault = FALSE;
  const int made = WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), out.data(), size,
                                       nullptr, lossy != nullptr ? &usedDefault : nullptr);
  out.resize(static_cast<std::size_t>(std::max(made, 0)));
  if (lossy != nullptr) *lossy = usedDefault != FALSE;
  return out;
}

std::u16string AnsiToWide(std::string_view text, std::size_t maxUnits) {
  std::u16string out;
  AppendAnsiToWide(out, text, maxUnits);
  return out;
}

void AppendAnsiToWide(std::u16string& out, std::string_view text, std::size_t maxUnits) {
  if (text.empty() || maxUnits == 0) return;
  // Every ANSI code page keeps ASCII as it is; most stored text is ASCII,
  // and listing a large phonebook converts two texts per record.
  if (IsAscii(text)) {
    text = text.substr(0, std::min(text.size(), maxUnits));
    const std::size_t start = out.size();
    out.resize(start + text.size());
    std::copy(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(start));
    return;
  }
  // One ANSI byte never gives more than one UTF-16 unit.
  const std::size_t start = out.size();
  out.resize(start + text.size());
  const int made = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data() + start,
                                       static_cast<int>(text.size()));
  std::size_t length = static_cast<std::size_t>(std::max(made, 0));
  if (length > maxUnits) {
    length = maxUnits;
    if (IsHighSurrogate(out[start + length - 1])) --length;
  }
  out.resize(start + length);
}

std::string AnsiToUtf8(std::string_view ansi) { return Utf16ToUtf8(AnsiToWide(ansi)); }

bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) {
  bool lossy = false;
  ansi = WideToAnsi(Utf8ToUtf16(utf8), kNoLimit, 0, &lossy);
  return !lossy && (!ansi.empty() || utf8.empty());
}

}  // namespace tq
