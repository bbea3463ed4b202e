#include "result_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testing/temp_root.h"
#include "win/text.h"

namespace {

using tq::import::NameNumberResultBytes;

class ResultFile : public tq::testing::TempRoot {};

TEST_F(ResultFile, NameAndNumberAreSplitFromTheCandidateAndCut) {
  const std::string bytes = NameNumberResultBytes({u"A b <1 2>", u"0123456789012345678901234567890123 <9>"});
  ASSERT_EQ(bytes.size(), 4u + 2 * 62);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\2\0\0\0", 4));
  EXPECT_EQ(bytes.substr(4, 31), std::string("A b") + std::string(28, '\0'));
  EXPECT_EQ(bytes.substr(35, 31), std::string("1 2") + std::string(28, '\0'));
  EXPECT_EQ(bytes.substr(66, 31), std::string("012345678901234567890123456789") + '\0');
}

TEST_F(ResultFile, ReplacesAnEarlierFileAndNeverWritesThroughALink) {
  const auto target = path("elsewhere");
  tq::testing::WriteText(target, "keep");
  const auto result = path("DB101010.TMP");
  std::filesystem::create_symlink(target, result);
  ASSERT_EQ(tq::import::WriteResultFile(tq::Utf8ToUtf16(result.string()), "new"), 0u);
  EXPECT_FALSE(std::filesystem::is_symlink(result));
  EXPECT_EQ(tq::testing::ReadText(result), "new");
  EXPECT_EQ(tq::testing::ReadText(target), "keep");
  struct stat info {};
  ASSERT_EQ(stat(result.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

}  // namespace
