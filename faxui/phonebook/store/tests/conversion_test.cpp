// Converting the two older phonebook versions.
#include <gtest/gtest.h>

#include "phonebook/conversion.h"
#include "phonebook/reading.h"
#include "phonebook_bytes.h"
#include "win/faults.h"

namespace tq::phonebook {
namespace {

using test::Group;
using test::Header;
using test::Individual;
using test::Wide;

const std::string kOld0000 = "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000";
const std::string kOld1000 = "TOVA_KALDE_ORBY_FAX_DATA_FILE_1000";

class Conversion : public testing::TempRoot {
 protected:
  void TearDown() override {
    ClearFileFaults();
    TempRoot::TearDown();
  }
  StoreResult Convert(const std::string& oldBytes, StoreResult version, const std::string& newName = "new.AFD") {
    test::Write(path("old.afd"), oldBytes);
    FoldedLineSet written;
    return ConvertOldPhonebook(Wide(path("old.afd")), Wide(path(newName)), version, written);
  }
  std::string Converted(const std::string& newName = "new.AFD") { return test::Read(path(newName)); }
};

TEST_F(Conversion, APersonInTwoGroupsBecomesOneIndividual) {
  std::string old = kOld0000 +
                    "\n"
                    "{Ventes}\n"                                   // group start, name, group end
                    "2\n"                                          // member count
                    "Dupont|0123|ACME|0140|d@x.fr|client|0|0||0|1|||\n"  // fields up to the mailbox password
                    "Martin|02|||||0|0||0|0||\n"
                    "{Compta}\n"
                    "1\n"
                    "DUPONT|0123|autre|||||||0|0|||\n";
  ASSERT_EQ(Convert(old, StoreResult::Version0000), StoreResult::Ok);
  EXPECT_EQ(Converted(), Header() +
                             Individual({"Dupont", "0123", "ACME", "0140", "d@x.fr", "client", "0", "0", "", "0", "1", "", ""}) +
                             Individual({"Martin", "02", "", "", "", "", "0", "0", "", "0", "0", ""}) +
                             Group("Ventes", {{"Dupont", "0123"}, {"Martin", "02"}}) +
                             Group("Compta", {{"Dupont", "0123"}}));
  EXPECT_EQ(test::Read(path("old.afd")), old);
  EXPECT_FALSE(std::filesystem::exists(path("new.TMP")));
  // The references find their one individual.
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(path("new.AFD")), u"DUPONT <0123>", entry), StoreResult::Ok);
  EXPECT_EQ(std::u16string(entry.details.company), u"ACME");
  EXPECT_EQ(AnsiSlotView(entry.record.fCode), "");
}

TEST_F(Conversion, BracketsBecomeParenthesesExceptInDoubleByteCharacters) {
  std::string old = kOld0000 + "\n{Ventes [Est]}\r\n1\r\nDupont [si\xE8ge]|[01]|||||0|0||0|0||\r\n";
  ASSERT_EQ(Convert(old, StoreResult::Version0000), StoreResult::Ok);
  EXPECT_EQ(Converted(), Header() + Individual({"Dupont (si\xE8ge)", "[01]", "", "", "", "", "0", "0", "", "0", "0", ""}) +
                             Group("Ventes (Est)", {{"Dupont (si\xE8ge)", "[01]"}}));
  EXPECT_EQ(ReplaceBrackets("\x81[a[\x82]"), "\x81[a(\x82]");
}

TEST_F(Conversion, TheIntermediateVersionUsesControlBytes) {
  std::string old = kOld1000 + "\n"
                    "\x01" "Compta\x02" "\r\n"   // group start 0x01, name, group end 0x02
                    "2\n"
                    "Dupont\x03" "01\x03" "\x03\x03\x03\x03" "0\x03" "0\x03\x03" "0\x03" "0\x03\x03\n"
                    "Martin\x03" "02\x03" "c\x03\x03\x03\x03" "4\x03" "1\x03" "12\x03" "0\x03" "3\x03" "7\x03" "99\n";
  ASSERT_EQ(Convert(old, StoreResult::Version1000), StoreResult::Ok);
  EXPECT_EQ(Converted(), Header() + Individual({"Dupont", "01", "", "", "", "", "0", "0", "", "0", "0", ""}) +
                             Individual({"Martin", "02", "c", "", "", "", "4", "1", "12", "0", "3", "7", "99"}) +
                             Group("Compta", {{"Dupont", "01"}, {"Martin", "02"}}));
}

TEST_F(Conversion, GroupsCrossingTheBufferAreReadAgainAndTooLargeOnesStop) {
  std::string old = kOld0000 + "\n";
  int groups = 0;
  while (old.size() < 2 * kReadBufferSize) {
    std::string n = std::to_string(groups++);
    old += "{G" + n + "}\n3\n";
    for (int m = 0; m < 3; ++m) old += "P" + n + "_" + std::to_string(m) + "|" + n + "|" + std::string(150, 'r') + "||||0|0||0|0||\n";
  }
  ASSERT_EQ(Convert(old, StoreResult::Version0000), StoreResult::Ok);
  std::vector<std::u16string> lines;
  ListRecords(Wide(path("new.AFD")), [&](RecordType, std::u16string_view line) { lines.emplace_back(line); });
  EXPECT_EQ(lines.size(), static_cast<std::size_t>(groups * 4));
  EXPECT_EQ(lines.back(), Utf8ToUtf16("[G" + std::to_string(groups - 1) + "]"));

  std::string big = kOld0000 + "\n{Big}\n200\n";
  for (int m = 0; m < 200; ++m) big += "P" + std::to_string(m) + "|0|" + std::string(100, 'r') + "|||\n";
  big += "{Next}\n0\n";
  test::Write(path("existing.AFD"), "kept");
  EXPECT_EQ(Convert(big, StoreResult::Version0000, "existing.AFD"), StoreResult::NoMemory);
  EXPECT_EQ(Converted("existing.AFD"), "kept");
  EXPECT_FALSE(std::filesystem::exists(path("existing.TMP")));
}

TEST_F(Conversion, AnExistingFileIsReplacedOnlyWhenTheConversionSucceeds) {
  std::string old = kOld0000 + "\n{G}\n1\nA|1|||||0|0||0|0||\n";
  test::Write(path("existing.AFD"), "kept");
  for (FileFault fault : {FileFault::Write, FileFault::Flush, FileFault::Rename}) {
    FailNthFileOperation(fault, 1);
    EXPECT_EQ(Convert(old, StoreResult::Version0000, "existing.AFD"), StoreResult::WriteFailed);
    ClearFileFaults();
    EXPECT_EQ(Converted("existing.AFD"), "kept");
    EXPECT_FALSE(std::filesystem::exists(path("existing.TMP")));
  }
  ASSERT_EQ(Convert(old, StoreResult::Version0000, "existing.AFD"), StoreResult::Ok);
  EXPECT_EQ(Converted("existing.AFD"), Header() + Individual({"A", "1", "", "", "", "", "0", "0", "", "0", "0", ""}) +
                                           Group("G", {{"A", "1"}}));
}

TEST_F(Conversion, OnlyTheNamedOlderVersionIsConverted) {
  EXPECT_EQ(Convert(Header(), StoreResult::Version0000), StoreResult::BadFormat);
  EXPECT_EQ(Convert(kOld1000 + "\n", StoreResult::Version0000), StoreResult::BadFormat);
  EXPECT_EQ(Convert(kOld0000 + "\n", StoreResult::Ok), StoreResult::BadFormat);
  EXPECT_FALSE(std::filesystem::exists(path("new.AFD")));
  FoldedLineSet written;
  EXPECT_EQ(ConvertOldPhonebook(Wide(path("none.afd")), Wide(path("new.AFD")), StoreResult::Version0000, written),
            StoreResult::CannotOpen);
  // An old file with no groups converts to an empty phonebook; a count
  // larger than the lines given stops at the next group.
  ASSERT_EQ(Convert(kOld0000 + "\n{A}\n5\nX|1|||||\n{B}\n0\n", StoreResult::Version0000), StoreResult::Ok);
  EXPECT_EQ(Converted(), Header() + Individual({"X", "1", "", "", "", ""}) + Group("A", {{"X", "1"}}) + Group("B", {}));
}

TEST_F(Conversion, ADuplicateSpelledWithOtherAccentsRefersToTheFirstOne) {
  // The duplicate check ignores the case of accented letters, the key
  // comparison does not: the second group must use the first spelling.
  std::string old = kOld0000 + "\n{A}\n1\nH\xE9l\xE8ne|01 02|||||\n{B}\n1\nH\xC9L\xC8NE|01 02|||||\n";
  ASSERT_EQ(Convert(old, StoreResult::Version0000), StoreResult::Ok);
  EXPECT_EQ(Converted(), Header() + Individual({"H\xE9l\xE8ne", "01 02", "", "", "", ""}) +
                             Group("A", {{"H\xE9l\xE8ne", "01 02"}}) + Group("B", {{"H\xE9l\xE8ne", "01 02"}}));
}

TEST(FoldedLines, IgnoreCaseOfAsciiAndLatinLetters) {
  FoldedLineSet lines;
  EXPECT_TRUE(lines.Record(u"Élise <01>").added);
  ConvertedLines::Recorded again = lines.Record(u"éLISE <01>");
  EXPECT_FALSE(again.added);
  EXPECT_EQ(again.firstLine, u"Élise <01>");
  EXPECT_TRUE(lines.Record(u"Elise <01>").added);
  lines.Clear();
  EXPECT_TRUE(lines.Record(u"Élise <01>").added);
}

}  // namespace
}  // namespace tq::phonebook
