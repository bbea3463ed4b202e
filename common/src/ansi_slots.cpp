#include "common/ansi_slots.h"

#include <algorithm>
#include <cstring>

#include "win/kernel.h"

namespace tq {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The length of the longest prefix of at most `limit` bytes that ends on a
// character boundary of the system code page.
std::size_t WholeCharacters(std::string_view text, std::size_t limit) {
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t next = length + (IsDBCSLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1);
    if (next > limit) break;
    length = next;
  }
  return std::min(length, text.size());
}

// How much of `text` a slot keeps: all of it that leaves room for the
// terminator, ending on a character boundary.
std::size_t KeptLength(std::string_view text, std::size_t slotSize) {
  return text.size() < slotSize ? text.size() : WholeCharacters(text, slotSize - 1);
}

}  // namespace

std::string_view AnsiSlotView(const char* slot, std::size_t slotSize) {
  return {slot, strnlen(slot, slotSize)};
}

std::u16string_view WideSlotView(const char16_t* slot, std::size_t slotSize) {
  std::size_t length = 0;
  while (length < slotSize && slot[length] != u'\0') ++length;
  return {slot, length};
}

void CopyToAnsiSlot(char* slot, std::size_t slotSize, std::string_view text) {
  if (slotSize == 0) return;
  const std::size_t length = KeptLength(text, slotSize);
  std::memmove(slot, text.data(), length);
  std::memset(slot + length, 0, slotSize - length);
}

std::string_view AnsiSlotPart(std::string_view text, std::size_t slotSize) {
  if (slotSize == 0) return {};
  const std::string_view kept = text.substr(0, KeptLength(text, slotSize));
  return kept.substr(0, kept.find('\0'));
}

void CopyToWideSlot(char16_t* slot, std::size_t slotSize, std::u16string_view text) {
  if (slotSize == 0) return;
  std::size_t length = std::min(text.size(), slotSize - 1);
  if (length > 0 && length < text.size() && IsHighSurrogate(text[length - 1])) --length;
  std::copy_n(text.data(), length, slot);
  std::fill(slot + length, slot + slotSize, u'\0');
}

void WideToAnsiSlot(std::u16string_view text, char* slot, std::size_t slotSize, DWORD flags) {
  if (slotSize == 0) return;
  CopyToAnsiSlot(slot, slotSize, WideToAnsi(text, slotSize - 1, flags));
}

std::u16string AnsiSlotToWide(const char* slot, std::size_t slotSize, std::size_t maxUnits) {
  return AnsiToWide(AnsiSlotView(slot, slotSize), maxUnits);
}

}  // namespace tq
