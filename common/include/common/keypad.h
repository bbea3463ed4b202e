// The telephone keypad's letters, shared by the Fax UI plug-in (letters to
// digits) and the Fax render plug-in (its fax number decoding).
#pragma once

namespace tq {

// The keypad digit of a capital letter: A B C give '2', D E F '3', G H I '4',
// J K L '5', M N O '6', P Q R S '7', T U V '8', W X Y Z '9'. Any other
// character is returned unchanged.
constexpr char KeypadDigit(char c) {
  constexpr char kDigits[] = "22233344455566677778889999";
  return c >= 'A' && c <= 'Z' ? kDigits[c - 'A'] : c;
}

static_assert(KeypadDigit('S') == '7' && KeypadDigit('Z') == '9' && KeypadDigit('a') == 'a');

}  // namespace tq
