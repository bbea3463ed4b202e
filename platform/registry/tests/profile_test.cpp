#include "testing/temp_root.h"
#include "win/registry.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;
using ProfileTest = tq::testing::TempRoot;

TEST_F(ProfileTest, GetProfileIntReadsWinIni) {
  WriteText(path("win.ini"), "; comment\r\n[windows]\r\nload=\r\n[Mail]\r\nMAPI=1\r\nMAPIX = 1\r\nBig=0x10\r\nJunk=abc\r\n");
  EXPECT_EQ(GetProfileIntA("Mail", "MAPIX", 0), 1u);
  EXPECT_EQ(GetProfileIntA("mail", "mapix", 0), 1u);
  EXPECT_EQ(GetProfileIntA("Mail", "Big", 0), 16u);
  EXPECT_EQ(GetProfileIntA("Mail", "Junk", 7), 0u);
  EXPECT_EQ(GetProfileIntA("Mail", "Missing", 7), 7u);
  EXPECT_EQ(GetProfileIntA("windows", "MAPIX", 3), 3u);
  std::filesystem::remove(path("win.ini"));
  EXPECT_EQ(GetProfileIntA("Mail", "MAPIX", 0), 0u);
}

TEST_F(ProfileTest, WriteProfileStringKeepsTheRestOfTheFile) {
  WriteText(path("win.ini"), "; keep me\r\n[Mail]\r\nMAPI=1\r\n[Other]\r\nA=2\r\n");
  ASSERT_TRUE(WriteProfileStringA("Mail", "MAPIX", "1"));
  ASSERT_TRUE(WriteProfileStringA("Other", "A", "3"));
  ASSERT_TRUE(WriteProfileStringA("New", "B", "4"));
  EXPECT_EQ(ReadText(path("win.ini")),
            "; keep me\r\n[Mail]\r\nMAPI=1\r\nMAPIX=1\r\n[Other]\r\nA=3\r\n[New]\r\nB=4\r\n");
  ASSERT_TRUE(WriteProfileStringA("Mail", "MAPI", nullptr));
  ASSERT_TRUE(WriteProfileStringA("Other", nullptr, nullptr));
  EXPECT_EQ(ReadText(path("win.ini")), "; keep me\r\n[Mail]\r\nMAPIX=1\r\n[New]\r\nB=4\r\n");
  EXPECT_EQ(GetProfileIntA("Mail", "MAPIX", 0), 1u);
}

}  // namespace
