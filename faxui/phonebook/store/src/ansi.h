// Conversions between the dialogs' UTF-16 and the file's ANSI text, with the
// system ANSI code page, cut to a limit without splitting a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "win/types.h"

namespace tq::phonebook {

// At most maxBytes bytes; conversion flags as for WideCharToMultiByte.
std::string ToAnsi(std::u16string_view text, std::size_t maxBytes, DWORD flags = 0);
// At most maxUnits UTF-16 units.
std::u16string FromAnsi(std::string_view text, std::size_t maxUnits);

// The text of a fixed UTF-16 slot: up to its terminator, or the whole slot.
std::u16string_view WideSlotText(const char16_t* slot, std::size_t slotSize);
template <std::size_t N>
std::u16string_view WideSlotText(const char16_t (&slot)[N]) { return WideSlotText(slot, N); }
// Copies text into a UTF-16 slot, cut to leave room for the terminator; the
// rest of the slot is zeroed.
void CopyToWideSlot(char16_t* slot, std::size_t slotSize, std::u16string_view text);
template <std::size_t N>
void CopyToWideSlot(char16_t (&slot)[N], std::u16string_view text) { CopyToWideSlot(slot, N, text); }

}  // namespace tq::phonebook
