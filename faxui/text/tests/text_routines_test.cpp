#include <gtest/gtest.h>

#include <string>

#include "faxui/text_routines.h"

namespace tq::faxui {
namespace {

std::u16string Trimmed(std::u16string text) {
  text.push_back(u'\0');
  TrimWide(text.data());
  return std::u16string(text.c_str());
}

TEST(TrimWide, RemovesSpacesAtBothEndsOnly) {
  EXPECT_EQ(Trimmed(u"     "), u"");
  EXPECT_EQ(Trimmed(u"   abcd"), u"abcd");
  EXPECT_EQ(Trimmed(u"ab cd  "), u"ab cd");
  EXPECT_EQ(Trimmed(u""), u"");
  EXPECT_EQ(Trimmed(u"\tx "), u"\tx");  // only U+0020 counts as a space
}

TEST(CompareNoCase, LettersMatchInEitherCase) {
  EXPECT_EQ(CompareNoCase("ABC", "abc"), 0);
  EXPECT_EQ(CompareNoCase("Dupont", "dUPONT"), 0);
  EXPECT_EQ(CompareNoCase("", ""), 0);
}

TEST(CompareNoCase, ShorterStringDiffersAndOrdersFirst) {
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
  EXPECT_GT(CompareNoCase("abc", "ab"), 0);
  EXPECT_EQ(CompareNoCase("ab", "abc"), -'c');
}

TEST(CompareNoCase, DoubleByteCharactersCompareExactly) {
  // 0x82 0x61 and 0x82 0x41: the trail bytes look like a and A but belong
  // to a double-byte character, so they are not folded.
  EXPECT_NE(CompareNoCase("\x82\x61", "\x82\x41"), 0);
  EXPECT_EQ(CompareNoCase("x\x82\x61y", "X\x82\x61Y"), 0);
  // A byte of 0x80 or more counts as negative.
  EXPECT_LT(CompareNoCase("\x90", "a"), 0);
  EXPECT_EQ(CompareNoCase("\x90", "a"), static_cast<signed char>(0x90) - 'a');
}

TEST(CompareNoCase, LeadByteAtTheEndStopsAtTheTerminator) {
  // The strings must not be read past their terminators.
  const char a[] = {'a', '\x81', '\0', 'X'};
  const char b[] = {'A', '\x81', '\0', 'Y'};
  EXPECT_EQ(CompareNoCase(a, b), 0);
}

TEST(LettersToDigits, CapitalsBecomeKeypadDigits) {
  char out[64];
  LettersToDigits(out, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_STREQ(out, "22233344455566677778889999");
  LettersToDigits(out, "0800-FAX abc #*");
  EXPECT_STREQ(out, "0800-329 abc #*");
  LettersToDigits(out, "");
  EXPECT_STREQ(out, "");
}

TEST(LeftPadWide, PadsWithZerosUpToTheWidth) {
  char16_t text[8] = u"42";
  LeftPadWide(text, 2, 5);
  EXPECT_EQ(std::u16string(text), u"00042");

  char16_t full[8] = u"12345";
  LeftPadWide(full, 5, 5);
  EXPECT_EQ(std::u16string(full), u"12345");
  LeftPadWide(full, 5, 3);
  EXPECT_EQ(std::u16string(full), u"12345");

  char16_t empty[4] = u"";
  LeftPadWide(empty, 0, 3);
  EXPECT_EQ(std::u16string(empty), u"000");
}

TEST(NarrowRoutines, CopyCountValueAndLength) {
  char out[16] = "xxxxxxxxxxxxxxx";
  EXPECT_EQ(CopyAndCount(out, "hello"), 5);
  EXPECT_STREQ(out, "hello");
  EXPECT_EQ(CopyAndCount(out, ""), 0);
  EXPECT_STREQ(out, "");

  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("0123"), 123);
  EXPECT_EQ(DecimalValue("999"), 999);

  EXPECT_EQ(StringLength(""), 0);
  EXPECT_EQ(StringLength("abc\0def"), 3);

  char bytes[4] = {'a', 'b', 'c', 'd'};
  CopyBytes(bytes, "xy", 3);
  EXPECT_EQ(std::string(bytes, 4), std::string("xy\0d", 4));
}

}  // namespace
}  // namespace tq::faxui
