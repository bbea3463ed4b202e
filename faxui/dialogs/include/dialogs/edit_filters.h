// Input filters of the plug-in's edit fields. Each runs on a change
// notification of its field and removes at most one character: the rewrite
// of the field sends the next change notification, which runs the filter
// again, so a pasted text is cleaned character by character.
#pragma once

#include <cstdint>

#include "win/types.h"

namespace tq::faxui {

// What FilterEditText lets through besides never allowing codes 1 to 4.
enum class FilterType : int {
  OnlyRange = 0,          // low to high
  RefuseLow = 1,          // anything but low
  RefuseLowAndHigh = 2,   // anything but low and high
  RangeAndStar = 3,       // low to high and '*'
  RangeStarAndHash = 4,   // low to high, '*' and '#'
};

// The index of the first character of `text` that the filter refuses, or -1.
int FirstRefusedCharacter(const char16_t* text, char16_t low, char16_t high, FilterType type);

// The index of the first character the fax number filter acts on, or -1; in
// *upperCase the replacement when it is a lower-case letter, else 0.
// Accepted: '!' to 'z' except ',', '[', ']' and the lower-case letters.
int FirstFaxNumberFault(const char16_t* text, char16_t* upperCase);

// Filters `text`, the current text of edit `editId`: on the first refused
// character it beeps and replaces the field's text from its start through
// that character by the text before it. 1 when the text passed, 0 when a
// character was removed.
int FilterEditText(HWND dialog, int editId, const char16_t* text, char16_t low, char16_t high,
                   FilterType type);

// The fax number filter: a lower-case letter becomes its capital without a
// beep, any other character outside the accepted set is removed with a beep.
// 1 when the text passed, 0 when it was changed.
int FilterFaxNumber(HWND dialog, int editId, const char16_t* text);

// A field of a bounded number of `digits` digits (the hour or minute of a
// delayed send): a character other than a digit is taken out with a beep
// (the change this makes comes back here); a value up to `maximum` is
// kept in `kept`; a larger one beeps and shows `kept` again.
void FilterBoundedNumber(HWND dialog, int editId, int digits, int maximum, std::int32_t& kept);

// The text of an edit as the filters see it, read into `buffer` of `size`
// units.
void ReadEditText(HWND dialog, int editId, char16_t* buffer, int size);

}  // namespace tq::faxui
