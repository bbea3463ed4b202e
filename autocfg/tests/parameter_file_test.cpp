#include <gtest/gtest.h>

#include "autocfg/parameter_file.h"

namespace tq::autocfg {
namespace {

TEST(ParameterFile, LinesAreCutAt63AndTheRestIsNotALine) {
  const std::string longLine(70, 'x');
  const auto lines = SplitParameterLines("IP_10.0.0.5\r\nPSW112\n1.3\n" + longLine + "\nPSWOptionTypeDevGenFax");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "IP_10.0.0.5");
  EXPECT_EQ(lines[3], std::string(63, 'x'));
  EXPECT_EQ(lines[4], "PSWOptionTypeDevGenFax");
}

TEST(ParameterFile, HeaderNeedsThreeLinesAndAnEmptyLineEndsTheNames) {
  EXPECT_FALSE(HeaderOf(SplitParameterLines("")).has_value());
  EXPECT_FALSE(HeaderOf(SplitParameterLines("a\nb\n")).has_value());
  const auto lines = SplitParameterLines("p\na\nt\nOne\nTwo\n\nThree\n");
  EXPECT_EQ(HeaderOf(lines)->expectedType, "t");
  EXPECT_EQ(OptionNamesOf(lines), (std::vector<std::string>{"One", "Two"}));
}

TEST(ParameterFile, AnswerNameReplacesTheLastThreeCharacters) {
  EXPECT_EQ(AnswerFileName(u"/tmp/AC1.TMP"), u"/tmp/AC1.DAT");
  EXPECT_EQ(AnswerFileName(u"/tmp/params"), u"/tmp/parDAT");
  EXPECT_EQ(AnswerFileName(u"ab"), u"DAT");
}

}  // namespace
}  // namespace tq::autocfg
