// The host's side of the auto-configuration files.
#include "host/autoconfig_files.h"

#include <gtest/gtest.h>

namespace {

using namespace tq::host;
using tq::Model;

TEST(AutoconfigFiles, ParametersNameThePortTheTypeAndTheQuestions) {
  EXPECT_EQ(AutoconfigParameters("IP_10.0.0.5", Model::N),
            "IP_10.0.0.5\nPSW112\n1.3.6.1.4.1.32473.1.8\nPSWOptionTypeDevGenFax\nPSWOptionTypeDevGenFAXG4Kit\n"
            "PSWOptionValueFAXMaxSpeedDial\n");
  EXPECT_NE(AutoconfigParameters("LPT1:", Model::P).find("\n1.3.6.1.4.1.32473.1.9\n"), std::string::npos);
  EXPECT_EQ(AnswerPathFor("/run/x/AC00012A.TMP"), "/run/x/AC00012A.DAT");
}

TEST(AutoconfigFiles, AnswersAreReadFieldByField) {
  auto facts = ParseAutoconfigAnswer("10.0.0.5\n11\x02" "999\x02");
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->address, "10.0.0.5");
  EXPECT_TRUE(facts->fax);
  EXPECT_TRUE(facts->g4Kit);
  EXPECT_EQ(facts->maxSpeedDial, 999);

  // The device could not give the number: two framing bytes.
  facts = ParseAutoconfigAnswer("10.0.0.5\n10\x02\x02");
  ASSERT_TRUE(facts);
  EXPECT_FALSE(facts->g4Kit);
  EXPECT_FALSE(facts->maxSpeedDial);
}

TEST(AutoconfigFiles, AnswersThatDoNotFitTheQuestionsAreRefused) {
  for (const char* bytes : {"", "10.0.0.5", "\n11\x02" "9\x02", "10.0.0.5\n1", "10.0.0.5\n12\x02" "9\x02",
                            "10.0.0.5\n11\x02" "999", "10.0.0.5\n11\x02" "9a\x02", "10.0.0.5\n11\x02" "9\x02" "1",
                            "10.0.0.5\n11\x02" "99999999999\x02"}) {
    EXPECT_FALSE(ParseAutoconfigAnswer(bytes)) << bytes;
  }
}

TEST(AutoconfigFiles, SpeedDialRangeFollowsTheDevice) {
  using Settings = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(SettingsFromFacts({"a", true, false, 999}),
            (Settings{{"fax-feature", "1"}, {"g4", "0"}, {"speed-dial-range", "999"}}));
  EXPECT_EQ(SettingsFromFacts({"a", false, true, 200}),
            (Settings{{"fax-feature", "0"}, {"g4", "1"}, {"speed-dial-range", "200"}}));
  EXPECT_EQ(SettingsFromFacts({"a", true, false, 500}).back().second, "999");
  // Nothing known about the numbers: the range stays as it is.
  EXPECT_EQ(SettingsFromFacts({"a", true, false, std::nullopt}).size(), 2u);
  EXPECT_EQ(SettingsFromFacts({"a", true, false, 0}).size(), 2u);
}

}  // namespace
