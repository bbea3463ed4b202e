// The account user text: user\computer within 31 characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "printflow/account_user.h"

namespace {

std::string Compose(const char* user, const char* computer) {
  char text[32];
  std::memset(text, 'z', sizeof text);  // what was there before must not show through
  tq::faxui::ComposeAccountUser(user, computer, text);
  return text;
}

TEST(AccountUser, UserAndComputer) { EXPECT_EQ(Compose("anne", "POSTE12"), "anne\\POSTE12"); }

TEST(AccountUser, FortyCharacterUserIsCutTo31WithoutComputer) {
  const std::string user(40, 'u');
  EXPECT_EQ(Compose(user.c_str(), "POSTE12"), std::string(31, 'u'));
}

TEST(AccountUser, ThirtyCharacterUserGetsOnlyTheBackslash) {
  const std::string user(30, 'u');
  EXPECT_EQ(Compose(user.c_str(), "POSTE12"), user + "\\");
}

TEST(AccountUser, ComputerNameIsCutToTheRoomLeft) {
  EXPECT_EQ(Compose(std::string(25, 'u').c_str(), "ABCDEFGHIJ"), std::string(25, 'u') + "\\ABCDE");
}

TEST(AccountUser, NamesThatCannotBeRead) {
  EXPECT_EQ(Compose(nullptr, nullptr), "UnknownUser\\UnknownHost");
  EXPECT_EQ(Compose("", "POSTE12"), "UnknownUser\\POSTE12");
}

TEST(AccountUser, EmptyMeansFirstFourBytesZero) {
  unsigned char area[tq::hsb::priv::kMinimumSize] = {};
  EXPECT_TRUE(tq::faxui::AccountUserIsEmpty(area));
  area[tq::hsb::priv::kAccountUser + 3] = 'x';
  EXPECT_FALSE(tq::faxui::AccountUserIsEmpty(area));
}

}  // namespace
