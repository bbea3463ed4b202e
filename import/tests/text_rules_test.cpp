#include "import/text_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace tq::import;

TEST(TextRules, TrimRemovesSpacesOnly) {
  EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(TextRules, CutAtThirtyBytesAndAtANul) {
  EXPECT_EQ(CutText(std::string(40, 'n')), std::string(30, 'n'));
  EXPECT_EQ(CutText("Zo\xe9"), "Zo\xe9");
  EXPECT_EQ(CutText(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(CutText(""), "");
}

TEST(TextRules, FaxNumbersKeepPrintableCharactersUpToZ) {
  EXPECT_EQ(NormalizeFaxNumber("+33 (1) 23-45,67"), "+33(1)23-4567");
  EXPECT_EQ(NormalizeFaxNumber("fax: 12"), "FAX:12");
  EXPECT_EQ(NormalizeFaxNumber(" , ,[]"), "");
  EXPECT_EQ(NormalizeFaxNumber("[0\t1]{2}"), "012");  // '{' and '}' lie above 'z'
  EXPECT_EQ(NormalizeFaxNumber(std::string("1\0\x01\x04{|}~\xe9" "2", 10)), "12");
}

TEST(TextRules, BracketsBecomeParenthesesButNotInsideDoubleByteCharacters) {
  EXPECT_EQ(ReplaceNameBrackets("[Paris] Agence"), "(Paris) Agence");
  // 0x81 0x5B is one character whose trail byte is '['.
  EXPECT_EQ(ReplaceNameBrackets("\x81[a]"), "\x81[a)");
}

}  // namespace

#include "import/csv_records.h"

namespace {

std::vector<std::string_view> Header(std::vector<std::string>& storage) {
  return {storage.begin(), storage.end()};
}

// The titles of the project's own files first; the export titles only
// where those find nothing.
TEST(CsvColumns, ExportTitlesWhenTheOwnTitlesFindNothing) {
  std::vector<std::string> own{"NOM", "DISPLAY NAME", "FAX BUREAU", "T\xe9L\xe9" "COPIE BUREAU"};
  auto columns = tq::import::FindColumns(Header(own));
  EXPECT_EQ(columns.name, 0);
  EXPECT_EQ(columns.fax, (std::vector<std::size_t>{2}));

  std::vector<std::string> french{"PR\xe9NOM", "NOM DE FAMILLE", "T\xe9L\xe9" "COPIE BUREAU",
                                  "T\xc9L\xc9" "COPIE PERSONNELLE"};
  columns = tq::import::FindColumns(Header(french));
  EXPECT_EQ(columns.name, -1);
  EXPECT_EQ(columns.firstName, 0);
  EXPECT_EQ(columns.lastName, 1);
  EXPECT_EQ(columns.fax, (std::vector<std::size_t>{2, 3}));

  std::vector<std::string> english{"NAME", "FULL NAME", "HOME FAX"};
  columns = tq::import::FindColumns(Header(english));
  EXPECT_EQ(columns.name, 1);
  EXPECT_EQ(columns.fax, (std::vector<std::size_t>{2}));
}

}  // namespace
