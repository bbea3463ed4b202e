// The small text routines the Fax UI plug-in's dialogs and print-time flow
// share. Narrow strings are ANSI (the system code page, possibly double-byte);
// wide strings are UTF-16.
#pragma once

#include <cstddef>

namespace tq::faxui {

// Copies exactly `count` bytes; the caller counts the terminator in.
void CopyBytes(void* to, const void* from, std::size_t count);

// Copies `from` with its terminator; returns the number of characters
// copied, the terminator not counted.
int CopyAndCount(char* to, const char* from);

// The value of a string of decimal digits: empty gives 0. No sign and no
// check of the characters; a value past the int range wraps.
int DecimalValue(const char* text);

// Number of bytes before the terminator.
int StringLength(const char* text);

// Compares byte by byte until a difference or the end of either string.
// A to Z equal a to z; a byte of 0x80 or more starts a double-byte
// character, whose two bytes are compared exactly. Returns 0 when equal,
// else the difference of the first differing bytes as signed 8-bit values
// (letters taken in lower case).
int CompareNoCase(const char* a, const char* b);

// Copies `from` with its terminator, turning each capital letter into its
// keypad digit (tq::KeypadDigit).
void LettersToDigits(char* to, const char* from);

// When `length` is less than `width`, moves the text right by the
// difference, fills the freed places with '0' and ends the text at `width`
// (the buffer holds width + 1 characters); otherwise leaves it unchanged.
void LeftPadWide(char16_t* text, int length, int width);

// Removes leading and trailing spaces (U+0020) in place.
void TrimWide(char16_t* text);

}  // namespace tq::faxui
