#include "ansi.h"

#include <algorithm>
#include <cstring>

#include "win/kernel.h"

namespace tq::phonebook {

namespace {

int AnsiSize(std::u16string_view text, DWORD flags) {
  return WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), nullptr,
                             0, nullptr, nullptr);
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::string ToAnsi(std::u16string_view text, std::size_t maxBytes, DWORD flags) {
  if (text.empty() || maxBytes == 0) return {};
  int size = AnsiSize(text, flags);
  // Too long: drop characters from the end until the rest fits, never
  // leaving half of a surrogate pair or of a double-byte character.
  while (size > static_cast<int>(maxBytes) && !text.empty()) {
    text.remove_suffix(1);
    if (!text.empty() && IsHighSurrogate(text.back())) text.remove_suffix(1);
    size = text.empty() ? 0 : AnsiSize(text, flags);
  }
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  int made = WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()),
                                 out.data(), size, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(std::max(made, 0)));
  return out;
}

std::u16string FromAnsi(std::string_view text, std::size_t maxUnits) {
  // One ANSI byte never gives more than one UTF-16 unit.
  if (text.size() > maxUnits) text = text.substr(0, maxUnits);
  if (text.empty()) return {};
  // Every ANSI code page keeps ASCII as it is; most phonebook text is
  // ASCII, and listing a large phonebook converts two texts per record.
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::u16string(text.begin(), text.end());
  }
  std::u16string out(text.size(), u'\0');
  int made = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(std::max(made, 0)));
  return out;
}

std::u16string_view WideSlotText(const char16_t* slot, std::size_t slotSize) {
  std::size_t length = 0;
  while (length < slotSize && slot[length] != u'\0') ++length;
  return {slot, length};
}

void CopyToWideSlot(char16_t* slot, std::size_t slotSize, std::u16string_view text) {
  if (slotSize == 0) return;
  std::size_t length = std::min(text.size(), slotSize - 1);
  if (length > 0 && length < text.size() && IsHighSurrogate(text[length - 1])) --length;
  std::copy_n(text.data(), length, slot);
  std::fill(slot + length, slot + slotSize, u'\0');
}

}  // namespace tq::phonebook
