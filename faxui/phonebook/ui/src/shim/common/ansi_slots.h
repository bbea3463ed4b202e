// Fixed text slots of the records and their conversion to and from UTF-16.
// Stands in for the common module of the same name until it lands.
#pragma once

#include <algorithm>
#include <cstring>

#include "win/ansi_text.h"

namespace tq {

template <std::size_t N>
std::u16string AnsiSlotToWide(const char (&slot)[N], std::size_t maxUnits = kNoLimit) {
  return AnsiToWide(std::string_view(slot, strnlen(slot, N)), maxUnits);
}

template <std::size_t N>
void WideToAnsiSlot(std::u16string_view text, char (&slot)[N], DWORD flags = 0) {
  const std::string bytes = WideToAnsi(text, N - 1, flags);
  std::memset(slot, 0, N);
  std::memcpy(slot, bytes.data(), bytes.size());
}

template <std::size_t N>
void CopyToWideSlot(char16_t (&slot)[N], std::u16string_view text) {
  std::fill(slot, slot + N, u'\0');
  std::copy_n(text.begin(), std::min(text.size(), N - 1), slot);
}

}  // namespace tq
