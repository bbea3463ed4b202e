// The speed-dial check and padding on their own.
#include <gtest/gtest.h>

#include <string>

#include "common/host_settings.h"
#include "recipients/speed_dial.h"

namespace tq::faxui {
namespace {

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
