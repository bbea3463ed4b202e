#include "text_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace tq::import;

TEST(TextRules, TrimRemovesSpacesOnly) {
  EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(TextRules, FaxNumbersKeepPrintableCharactersUpToZ) {
  EXPECT_EQ(NormalizeFaxNumber("+33 (1) 23-45,67"), "+33(1)23-4567");
  EXPECT_EQ(NormalizeFaxNumber("fax: 12"), "FAX:12");
  EXPECT_EQ(NormalizeFaxNumber(" , ,[]"), "");
  EXPECT_EQ(NormalizeFaxNumber(std::string("1\0\x01\x04{|}~\xe9" "2", 10)), "12");
}

TEST(TextRules, BracketsBecomeParenthesesButNotInsideDoubleByteCharacters) {
  EXPECT_EQ(ReplaceNameBrackets("[Paris] Agence"), "(Paris) Agence");
  // 0x81 0x5B is one character whose trail byte is '['.
  EXPECT_EQ(ReplaceNameBrackets("\x81[a]"), "\x81[a)");
}

}  // namespace
