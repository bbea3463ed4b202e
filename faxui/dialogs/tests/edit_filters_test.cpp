// The character filters and the speed-dial check on their own.
#include <gtest/gtest.h>

#include <string>

#include "common/host_settings.h"
#include "recipients/edit_filters.h"
#include "recipients/speed_dial.h"

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

struct SpeedDialCase {
  const char16_t* typed;
  int limit;
  SpeedDialCheck expected;
  const char16_t* stored;
};

class ValidateSpeedDial : public ::testing::TestWithParam<SpeedDialCase> {};

TEST_P(ValidateSpeedDial, ChecksAndPads) {
  const SpeedDialCase& c = GetParam();
  char16_t text[8] = {};
  std::u16string(c.typed).copy(text, 7);
  EXPECT_EQ(ValidateSpeedDialNumber(text, c.limit), c.expected);
  if (c.stored != nullptr) {
    EXPECT_EQ(std::u16string(text), std::u16string(c.stored));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ValidateSpeedDial,
    ::testing::Values(SpeedDialCase{u"5", 200, kSpeedDialValid, u"005"},
                      SpeedDialCase{u"42", 200, kSpeedDialValid, u"042"},
                      SpeedDialCase{u"200", 200, kSpeedDialValid, u"200"},
                      SpeedDialCase{u"201", 200, kSpeedDialOutOfRange, nullptr},
                      SpeedDialCase{u"20*", 200, kSpeedDialValid, u"20*"},
                      SpeedDialCase{u"21*", 200, kSpeedDialOutOfRange, nullptr},
                      SpeedDialCase{u"***", 200, kSpeedDialValid, u"***"},
                      SpeedDialCase{u"00*", 200, kSpeedDialValid, u"00*"},
                      SpeedDialCase{u"*12", 200, kSpeedDialWildcardMisuse, nullptr},
                      SpeedDialCase{u"**1", 200, kSpeedDialWildcardMisuse, nullptr},
                      SpeedDialCase{u"1*2", 200, kSpeedDialWildcardMisuse, nullptr},
                      SpeedDialCase{u"1**", 200, kSpeedDialWildcardMisuse, nullptr},
                      SpeedDialCase{u"1*", 200, kSpeedDialWildcardMisuse, u"1*"},
                      SpeedDialCase{u"*", 200, kSpeedDialWildcardMisuse, u"*"},
                      SpeedDialCase{u"0", 200, kSpeedDialOutOfRange, u"000"},
                      SpeedDialCase{u"000", 200, kSpeedDialOutOfRange, nullptr},
                      SpeedDialCase{u"999", 999, kSpeedDialValid, u"999"},
                      SpeedDialCase{u"99*", 999, kSpeedDialValid, u"99*"},
                      SpeedDialCase{u"999", 200, kSpeedDialOutOfRange, nullptr},
                      // Only a pasted text could be longer; a record holds three.
                      SpeedDialCase{u"0005", 200, kSpeedDialOutOfRange, u"0005"}));

TEST(SpeedDialLimit, FollowsTheHostRangeFlag) {
  unsigned char area[hsb::priv::kMinimumSize] = {};
  EXPECT_EQ(SpeedDialLimit(area), 200);
  hsb::SetField(area, hsb::priv::kSpeedDialRange, 1);
  EXPECT_EQ(SpeedDialLimit(area), 999);
  hsb::SetField(area, hsb::priv::kSpeedDialRange, -7);
  EXPECT_EQ(SpeedDialLimit(area), 999);
  EXPECT_EQ(SpeedDialLimit(nullptr), 200);
}

}  // namespace
}  // namespace tq::faxui
