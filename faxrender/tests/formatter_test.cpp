#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "faxrender/formatter.h"
#include "faxrender/text_routines.h"
#include "faxrender/time_text.h"

namespace tq::render {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[256];
  const int length = SPRINTF(buffer, format, args...);
  EXPECT_EQ(length, static_cast<int>(ASCIIstrlen(buffer)));
  return buffer;
}

TEST(Formatter, Decimal) {
  EXPECT_EQ(Format("%d|%l|%d", 0, -42, 123), "0|-42|123");
  EXPECT_EQ(Format("%d", INT_MIN), "-2147483648");
  EXPECT_EQ(Format("%u", 0xFFFFFFFFu), "4294967295");
  // %l is a conversion of its own: the d after it is plain text.
  EXPECT_EQ(Format("%ld", 7), "7d");
}

TEST(Formatter, HexadecimalHasAtLeastTwoUpperCaseDigits) {
  EXPECT_EQ(Format("%x", 0), "00");
  EXPECT_EQ(Format("%x", 5), "05");
  EXPECT_EQ(Format("%x", 0x1F), "1F");
  EXPECT_EQ(Format("%X", 0x100), "100");
  EXPECT_EQ(Format("%x", 0xDEADBEEFu), "DEADBEEF");
}

TEST(Formatter, CharacterStringAndBoolean) {
  EXPECT_EQ(Format("%c%s%c", '\'', "12", '\''), "'12'");
  EXPECT_EQ(Format("%c", 0x141), "A");  // the low byte only
  EXPECT_EQ(Format("%b %b %b", 0, 1, -3), "false true true");
  EXPECT_EQ(Format("[%s]", static_cast<const char*>(nullptr)), "[]");
}

TEST(Formatter, FixedPoint) {
  EXPECT_EQ(Format("%f", 0x180), "1.5");
  EXPECT_EQ(Format("%f", 0x140), "1.25");
  EXPECT_EQ(Format("%f", 0x200), "2");
  EXPECT_EQ(Format("%f", 0), "0");
  EXPECT_EQ(Format("%f", -0x180), "-1.5");
  EXPECT_EQ(Format("%f", 1), "0.004");     // 1/256 rounds to four thousandths
  EXPECT_EQ(Format("%f", 0xFF), "0.996");
  EXPECT_EQ(Format("%f", INT_MIN), "-8388608");
}

TEST(Formatter, OtherCharactersAndTrailingPercent) {
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("a%qb"), "aqb");
  EXPECT_EQ(Format("%d%", 5), "5");
  EXPECT_EQ(Format("%"), "");
}

TEST(Formatter, BoundedFormTruncatesAndTerminates) {
  char buffer[6];
  EXPECT_EQ(FormatText(buffer, sizeof buffer, "%s", "abcdefgh"), 5);
  EXPECT_STREQ(buffer, "abcde");
  char untouched[2] = {'x', 'y'};
  EXPECT_EQ(FormatText(untouched, 0, "%s", "abc"), 0);
  EXPECT_EQ(untouched[0], 'x');
}

TEST(TextRoutines, PadZero) {
  char text[8] = "123";
  padzeroA(text, 3, 4);
  EXPECT_STREQ(text, "0123");
  char longer[8] = "12345";
  padzeroA(longer, 5, 4);
  EXPECT_STREQ(longer, "12345");
  char exact[8] = "1234";
  padzeroA(exact, 4, 4);
  EXPECT_STREQ(exact, "1234");
  char empty[8] = "";
  padzeroA(empty, 0, 2);
  EXPECT_STREQ(empty, "00");
}

TEST(TextRoutines, CopyStringLimitsTerminatesAndClears) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  CopyStringA(buffer, "abcdefg", 5);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(buffer[5], 'x');  // nothing past the size

  std::memset(buffer, 'x', sizeof buffer);
  CopyStringA(buffer, "ab", 6);
  EXPECT_EQ(std::string(buffer, 6), std::string("ab\0\0\0\0", 6));

  buffer[0] = 'x';
  CopyStringA(buffer, "ab", 0);
  EXPECT_EQ(buffer[0], 'x');
}

TEST(TextRoutines, DecodeFaxNumTurnsOnlyCapitalsIntoKeypadDigits) {
  char out[32];
  DecodeFaxNum("01-23-45-ABC", out);
  EXPECT_STREQ(out, "01-23-45-222");
  DecodeFaxNum("ADGJMPTW", out);
  EXPECT_STREQ(out, "23456789");
  DecodeFaxNum("CFILOSVZ", out);
  EXPECT_STREQ(out, "23456789");
  DecodeFaxNum("abc *#- 9", out);
  EXPECT_STREQ(out, "abc *#- 9");
  DecodeFaxNum("", out);
  EXPECT_STREQ(out, "");
}

TEST(TimeText, HourUnpaddedMinuteAndSecondTwoDigits) {
  char text[kTimeTextSize];
  EXPECT_EQ(FormatTimeString(text, sizeof text, 9, 5, 7), 12);
  EXPECT_STREQ(text, "Time 9:05:07");
  FormatTimeString(text, sizeof text, 14, 30, 0);
  EXPECT_STREQ(text, "Time 14:30:00");
  FormatTimeString(text, sizeof text, 0, 0, 0);
  EXPECT_STREQ(text, "Time 0:00:00");
}

}  // namespace
}  // namespace tq::render
