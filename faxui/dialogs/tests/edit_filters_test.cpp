// The character filters on their own.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/edit_filters.h"

namespace tq::faxui {
namespace {

int Refused(const std::u16string& text, char16_t low, char16_t high, FilterType type) {
  return FirstRefusedCharacter(text.c_str(), low, high, type);
}

TEST(FilterEditText, EachTypeRefusesItsFirstForbiddenCharacter) {
  EXPECT_EQ(Refused(u"0123", u'0', u'9', FilterType::OnlyRange), -1);
  EXPECT_EQ(Refused(u"12a4", u'0', u'9', FilterType::OnlyRange), 2);
  EXPECT_EQ(Refused(u"12*", u'0', u'9', FilterType::OnlyRange), 2);
  EXPECT_EQ(Refused(u"ab;c", u';', u'~', FilterType::RefuseLow), 2);
  EXPECT_EQ(Refused(u"Jean [x]", u'[', u']', FilterType::RefuseLowAndHigh), 5);
  EXPECT_EQ(Refused(u"Jean x]", u'[', u']', FilterType::RefuseLowAndHigh), 6);
  EXPECT_EQ(Refused(u"Siège é", u'[', u']', FilterType::RefuseLowAndHigh), -1);
  EXPECT_EQ(Refused(u"1*2", u'0', u'9', FilterType::RangeAndStar), -1);
  EXPECT_EQ(Refused(u"1#2", u'0', u'9', FilterType::RangeAndStar), 1);
  EXPECT_EQ(Refused(u"1#*2", u'0', u'9', FilterType::RangeStarAndHash), -1);
  EXPECT_EQ(Refused(u"1#*2-", u'0', u'9', FilterType::RangeStarAndHash), 4);
}

TEST(FilterEditText, CodesOneToFourAreNeverAllowed) {
  for (char16_t code = 1; code <= 4; ++code) {
    const std::u16string text = std::u16string(u"ab") + code;
    EXPECT_EQ(Refused(text, u'[', u']', FilterType::RefuseLowAndHigh), 2) << int(code);
    EXPECT_EQ(Refused(text, u'\x01', u'\x7f', FilterType::OnlyRange), 2) << int(code);
    EXPECT_EQ(Refused(text, u'\x05', u'\x05', FilterType::RefuseLow), 2) << int(code);
  }
}

TEST(FilterFaxNumber, LowerCaseIsRaisedAndTheRestRemoved) {
  char16_t upper = 0;
  EXPECT_EQ(FirstFaxNumberFault(u"01-23/45#*+ABZ!", &upper), -1);
  EXPECT_EQ(FirstFaxNumberFault(u"A1b", &upper), 2);
  EXPECT_EQ(upper, u'B');
  for (const char16_t* text : {u"1,2", u"1 2", u"1[2", u"1]2", u"1é2", u"1{2", u"1\x01" u"2"}) {
    EXPECT_EQ(FirstFaxNumberFault(text, &upper), 1) << std::u16string(text).size();
    EXPECT_EQ(upper, 0);
  }
}

}  // namespace
}  // namespace tq::faxui
