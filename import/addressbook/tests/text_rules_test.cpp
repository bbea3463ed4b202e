#include <gtest/gtest.h>

#include "addressbook/address_book_import.h"

using namespace tq::import;

TEST(TextRules, NormalisationKeepsPrintableBytesButCommaAndBrackets) {
  EXPECT_EQ(NormaliseFaxNumber("+33 (1) 23-45,67"), "+33(1)23-4567");
  EXPECT_EQ(NormaliseFaxNumber("fax: 12"), "FAX:12");
  EXPECT_EQ(NormaliseFaxNumber("[0\t1]{2}\xe9"), "012");  // '{' and '}' lie above 'z'
  EXPECT_EQ(NormaliseFaxNumber("  , "), "");
}

TEST(TextRules, NamesTrimmedBracketsReplacedTrailBytesLeft) {
  EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");  // blanks only
  EXPECT_EQ(ReplaceNameBrackets("[Paris] Agence"), "(Paris) Agence");
  EXPECT_EQ(ReplaceNameBrackets("\x83[x]"), "\x83[x)");  // '[' is a trail byte here
  EXPECT_EQ(CutField(std::string(40, 'n')).size(), 30u);
}
