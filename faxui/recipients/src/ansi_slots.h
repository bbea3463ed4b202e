// Text between the dialogs (UTF-16) and the record's fixed ANSI slots.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tq::faxui {

// The slot's text up to its terminator or the slot's end, whichever comes
// first (a record read from a file may fill a slot to its last byte),
// converted to UTF-16 and cut to `maxUnits` units.
std::u16string SlotToWide(const char* slot, std::size_t slotSize, std::size_t maxUnits);

// Writes `text` as ANSI into the slot with its terminator, cut on a
// character boundary so that it fits; the rest of the slot is zeroed.
void WideToSlot(std::u16string_view text, char* slot, std::size_t slotSize);

// The slot's text up to its terminator or the slot's end.
std::string SlotText(const char* slot, std::size_t slotSize);

template <std::size_t N>
std::u16string SlotToWide(const char (&slot)[N], std::size_t maxUnits) {
  return SlotToWide(slot, N, maxUnits);
}
template <std::size_t N>
void WideToSlot(std::u16string_view text, char (&slot)[N]) {
  WideToSlot(text, slot, N);
}
template <std::size_t N>
std::string SlotText(const char (&slot)[N]) {
  return SlotText(slot, N);
}

}  // namespace tq::faxui
