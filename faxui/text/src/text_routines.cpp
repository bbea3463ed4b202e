#include "faxui/text_routines.h"

#include <cstring>

#include "common/keypad.h"

namespace tq::faxui {

void CopyBytes(void* to, const void* from, std::size_t count) { std::memmove(to, from, count); }

int CopyAndCount(char* to, const char* from) {
  int count = 0;
  while ((to[count] = from[count]) != '\0') ++count;
  return count;
}

int DecimalValue(const char* text) {
  unsigned value = 0;  // unsigned so that an over-long string wraps instead of overflowing
  for (; *text != '\0'; ++text) value = value * 10u + static_cast<unsigned>(*text - '0');
  return static_cast<int>(value);
}

int StringLength(const char* text) { return static_cast<int>(std::strlen(text)); }

namespace {

unsigned char FoldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

int SignedDifference(unsigned char a, unsigned char b) {
  return static_cast<signed char>(a) - static_cast<signed char>(b);
}

}  // namespace

int CompareNoCase(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a);
  const auto* y = reinterpret_cast<const unsigned char*>(b);
  for (;;) {
    if (*x >= 0x80) {
      // Lead byte: it and its trail byte must match exactly.
      if (*x != *y) return SignedDifference(*x, *y);
      ++x, ++y;
      if (*x != *y) return SignedDifference(*x, *y);
      if (*x == '\0') return 0;  // a lead byte at the very end: both ended
      ++x, ++y;
      continue;
    }
    const unsigned char cx = FoldCase(*x), cy = FoldCase(*y);
    if (cx != cy) return SignedDifference(cx, cy);
    if (cx == '\0') return 0;
    ++x, ++y;
  }
}

void LettersToDigits(char* to, const char* from) {
  while ((*to++ = KeypadDigit(*from++)) != '\0') {
  }
}

void LeftPadWide(char16_t* text, int length, int width) {
  if (length < 0 || length >= width) return;
  const int shift = width - length;
  std::memmove(text + shift, text, static_cast<std::size_t>(length) * sizeof(char16_t));
  for (int i = 0; i < shift; ++i) text[i] = u'0';
  text[width] = u'\0';
}

void TrimWide(char16_t* text) {
  char16_t* start = text;
  while (*start == u' ') ++start;
  char16_t* end = start;
  while (*end != u'\0') ++end;
  while (end > start && end[-1] == u' ') --end;
  const std::size_t kept = static_cast<std::size_t>(end - start);
  std::memmove(text, start, kept * sizeof(char16_t));
  text[kept] = u'\0';
}

}  // namespace tq::faxui
