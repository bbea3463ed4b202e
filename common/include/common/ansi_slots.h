// Fixed text slots of the records (NUL-terminated ANSI, or UTF-16 in the
// dialogs' records) and their conversion to and from the dialogs' UTF-16,
// through the system ANSI code page (win/ansi_text.h). A slot read from a
// file may fill its last byte; its text then runs to the slot's end. Writing
// always leaves room for the terminator, cuts on a character boundary and
// zeroes the rest of the slot, so nothing of an older text remains.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "win/ansi_text.h"
#include "win/kernel.h"

namespace tq {

// The text of an ANSI slot, as it is stored.
std::string_view AnsiSlotView(const char* slot, std::size_t slotSize);
// The text of a UTF-16 slot.
std::u16string_view WideSlotView(const char16_t* slot, std::size_t slotSize);

// Copies ANSI bytes into a slot, never ending in half a double-byte character.
void CopyToAnsiSlot(char* slot, std::size_t slotSize, std::string_view text);
// What a slot of `slotSize` bytes shows of `text` once CopyToAnsiSlot has
// copied it there: cut as it cuts, and at a NUL as AnsiSlotView reads.
std::string_view AnsiSlotPart(std::string_view text, std::size_t slotSize);
// Copies UTF-16 text into a UTF-16 slot, never ending in half a surrogate pair.
void CopyToWideSlot(char16_t* slot, std::size_t slotSize, std::u16string_view text);

// Converts UTF-16 text into an ANSI slot; `flags` as for WideCharToMultiByte.
void WideToAnsiSlot(std::u16string_view text, char* slot, std::size_t slotSize, DWORD flags = 0);
// The UTF-16 form of an ANSI slot's text, at most `maxUnits` units.
std::u16string AnsiSlotToWide(const char* slot, std::size_t slotSize, std::size_t maxUnits = kNoLimit);

template <std::size_t N>
std::string_view AnsiSlotView(const char (&slot)[N]) { return AnsiSlotView(slot, N); }
template <std::size_t N>
std::u16string_view WideSlotView(const char16_t (&slot)[N]) { return WideSlotView(slot, N); }
template <std::size_t N>
void CopyToAnsiSlot(char (&slot)[N], std::string_view text) { CopyToAnsiSlot(slot, N, text); }
template <std::size_t N>
void CopyToWideSlot(char16_t (&slot)[N], std::u16string_view text) { CopyToWideSlot(slot, N, text); }
template <std::size_t N>
void WideToAnsiSlot(std::u16string_view text, char (&slot)[N], DWORD flags = 0) { WideToAnsiSlot(text, slot, N, flags); }
template <std::size_t N>
std::u16string AnsiSlotToWide(const char (&slot)[N], std::size_t maxUnits = kNoLimit) {
  return AnsiSlotToWide(slot, N, maxUnits);
}

}  // namespace tq
