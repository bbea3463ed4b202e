// Reading phonebook files: validation, listing, one entry, group members.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "holder.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "phonebook_bytes.h"

namespace tq::phonebook {
namespace {

using test::Group;
using test::Header;
using test::Individual;
using test::Person;
using test::Wide;

struct Line {
  RecordType type;
  std::u16string text;
  bool operator==(const Line&) const = default;
};

class Reading : public testing::TempRoot {
 protected:
  std::filesystem::path Phonebook(const std::string& bytes, const std::string& name = "book.AFD") {
    std::filesystem::path file = path(name);
    test::Write(file, bytes);
    return file;
  }
  std::vector<Line> List(const std::filesystem::path& file, ReadOutcome* outcome = nullptr) {
    std::vector<Line> lines;
    ReadOutcome got = ListRecords(Wide(file), [&](RecordType type, std::u16string_view line) {
      lines.push_back({type, std::u16string(line)});
    });
    if (outcome) *outcome = got;
    return lines;
  }
};

TEST_F(Reading, TheEmptyPhonebookValidatesAndListsNothing) {
  auto file = Phonebook(Header());
  EXPECT_EQ(std::filesystem::file_size(file), 35u);
  EXPECT_TRUE(ValidatePhonebook(Wide(file)).ok());
  ReadOutcome outcome;
  EXPECT_TRUE(List(file, &outcome).empty());
  EXPECT_TRUE(outcome.ok());
}

TEST_F(Reading, EmptyForeignAndOlderFilesAreBadFormat) {
  struct Case {
    std::string bytes;
    StoreResult result;
  } cases[] = {
      {"", StoreResult::BadFormat},
      {"TOVA_KALDE_ORBY_FAX_DATA", StoreResult::BadFormat},
      {"NOT_A_PHONEBOOK_AT_ALL_0123456789AB\n", StoreResult::BadFormat},
      {"TOVA_KALDE_ORBY_FAX_DATA_FILE_1000\n", StoreResult::Version1000},
      {"TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n", StoreResult::Version0000},
  };
  for (const Case& c : cases) {
    auto file = Phonebook(c.bytes);
    ReadOutcome outcome;
    List(file, &outcome);
    EXPECT_EQ(outcome.problem, ReadProblem::BadFormat) << c.bytes;
    EXPECT_EQ(outcome.result, c.result) << c.bytes;
    EXPECT_EQ(ValidatePhonebook(Wide(file)).problem, ReadProblem::BadFormat);
  }
  EXPECT_EQ(ValidatePhonebook(Wide(path("missing.AFD"))).problem, ReadProblem::CannotOpen);
}

TEST_F(Reading, TheNameMustEndInAfd) {
  std::string bytes = Header() + Person("Dupont", "01");
  EXPECT_EQ(CheckVersion(Wide(Phonebook(bytes, "book.txt"))), StoreResult::BadFormat);
  EXPECT_EQ(CheckVersion(Wide(Phonebook(bytes, "book.Afd"))), StoreResult::Ok);
  EXPECT_FALSE(EndsInAfd(u".afd"));  // 4 characters
  EXPECT_EQ(CheckVersion(Wide(path("absent.afd"))), StoreResult::CannotOpen);
  EXPECT_TRUE(EndsInAfd(u"x.AFD"));
  EXPECT_FALSE(EndsInAfd(u"xAFD"));
}

TEST_F(Reading, ListsLinesInFileOrderWithTheirType) {
  auto file = Phonebook(Header() + Person("Martin", "02") + Group("Martin", {{"Martin", "02"}}) +
                        Person("Jean de la Rue", "0123") + Person("Martin", "01"));
  std::vector<Line> expected = {{RecordType::Individual, u"Martin <02>"},
                                {RecordType::Group, u"[Martin]"},
                                {RecordType::Individual, u"Jean de la Rue <0123>"},
                                {RecordType::Individual, u"Martin <01>"}};
  EXPECT_EQ(List(file), expected);
}

// Lines are built a part at a time or, for short ASCII keys, in one go:
// both ways must give the same text at every length around the cuts.
TEST_F(Reading, DisplayLinesKeepThirtyUnitsOfEachPart) {
  const std::string n30(30, 'n');
  const std::string f16(16, '1');
  std::u16string u30(30, u'n');
  std::string bytes = Header() + Person(n30, f16) + Person(n30 + "N", "2") + Person(std::string(45, 'n'), "3") +
                      Person("A", std::string(17, '4')) + Person("B", std::string(30, '5')) +
                      Person("C", std::string(40, '6')) + Person("", "") + Person("Andr\xE9", "7") +
                      Person("D", "8\xE9") + Individual({"Solo"}) + "\x01" "NoField\x04" +
                      Person("Very long company", "9", std::string(80, 'c')) +
                      Group(std::string(35, 'g'), {{"A", "1"}});
  std::vector<Line> expected = {
      {RecordType::Individual, u30 + u" <" + std::u16string(16, u'1') + u">"},
      {RecordType::Individual, u30 + u" <2>"},
      {RecordType::Individual, u30 + u" <3>"},
      {RecordType::Individual, u"A <" + std::u16string(17, u'4') + u">"},
      {RecordType::Individual, u"B <" + std::u16string(30, u'5') + u">"},
      {RecordType::Individual, u"C <" + std::u16string(30, u'6') + u">"},
      {RecordType::Individual, u" <>"},
      {RecordType::Individual, u"Andr\u00E9 <7>"},
      {RecordType::Individual, u"D <8\u00E9>"},
      {RecordType::Individual, u"Solo <>"},
      {RecordType::Individual, u"NoField <>"},
      {RecordType::Individual, u"Very long company <9>"},
      {RecordType::Group, u"[" + std::u16string(30, u'g') + u"]"},
  };
  EXPECT_EQ(List(Phonebook(bytes)), expected);
}

TEST_F(Reading, ARecordWithoutItsEndByteEndsTheList) {
  std::string bytes = Header() + Person("A", "1") + Person("B", "2");
  auto file = Phonebook(bytes.substr(0, bytes.size() - 1));
  ReadOutcome outcome;
  std::vector<Line> lines = List(file, &outcome);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(outcome.ok());
  EXPECT_TRUE(outcome.incompleteEnd);
}

// Individuals padded with remarks so that one of them crosses the 16384th
// byte of the file.
std::string CrossingFile(std::size_t& crossing) {
  std::string bytes = Header();
  for (int i = 0; bytes.size() < 20000; ++i) {
    std::string record = test::Individual({"P" + std::to_string(i), std::to_string(i), "", "", "",
                                           std::string(200, 'r'), "0", "0", "", "0", "0", "", "", "FC" + std::to_string(i), ""});
    if (bytes.size() < kReadBufferSize && bytes.size() + record.size() > kReadBufferSize) crossing = i;
    bytes += record;
  }
  return bytes;
}

TEST_F(Reading, ARecordCrossingTheBufferEndIsReadFromItsStart) {
  std::size_t crossing = 0;
  auto file = Phonebook(CrossingFile(crossing));
  ASSERT_GT(crossing, 0u);
  std::vector<Line> lines = List(file);
  ASSERT_GT(lines.size(), crossing + 1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string n = std::to_string(i);
    EXPECT_EQ(lines[i].text, Utf8ToUtf16("P" + n + " <" + n + ">"));
  }
  PhonebookEntry entry{};
  std::string n = std::to_string(crossing);
  ASSERT_EQ(ReadEntry(Wide(file), Utf8ToUtf16("P" + n + " <" + n + ">"), entry), StoreResult::Ok);
  EXPECT_EQ(AnsiSlotView(entry.record.fCode), "FC" + n);
}

// Records of many sizes with stray bytes between some of them, over several
// buffers: every record that crosses a buffer's end, or stray bytes that
// do, is read whole once, by the listing, the search for one entry and a
// rewrite alike.
TEST_F(Reading, RecordsAndStrayBytesAcrossManyBuffersReadWhole) {
  std::string bytes = Header();
  std::vector<std::string> records;
  for (int i = 0; bytes.size() < 5 * kReadBufferSize; ++i) {
    if (i % 7 == 3) bytes += std::string(static_cast<std::size_t>(i % 53), 'x');
    const std::string n = std::to_string(i);
    records.push_back(test::Individual({"P" + n, n, "", "", "", std::string(static_cast<std::size_t>(i * 37 % 900), 'r'),
                                        "0", "0", "", "0", "0", "", "", "FC" + n, ""}));
    bytes += records.back();
  }
  const int count = static_cast<int>(records.size());
  auto file = Phonebook(bytes);
  std::vector<std::string> read;
  EXPECT_TRUE(ForEachRecord(Wide(file), [&](RecordType, std::string_view record) {
                read.emplace_back(record);
                return true;
              }).ok());
  EXPECT_EQ(read, records);
  auto expected = [](int n) { return Utf8ToUtf16("P" + std::to_string(n) + " <" + std::to_string(n) + ">"); };
  std::vector<Line> lines = List(file);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i)].text, expected(i));
  for (int i = 1; i < count; i += 11) {
    PhonebookEntry entry{};
    ASSERT_EQ(ReadEntry(Wide(file), expected(i), entry), StoreResult::Ok);
    EXPECT_EQ(AnsiSlotView(entry.record.fCode), "FC" + std::to_string(i));
  }
  const int deleted = count - 5;
  ASSERT_EQ(DeleteRecord(Wide(file), expected(deleted), RecordType::Individual), StoreResult::Ok);
  lines = List(file);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(count - 1));
  for (int i = 0, at = 0; i < count; ++i) {
    if (i != deleted) {
      EXPECT_EQ(lines[static_cast<std::size_t>(at++)].text, expected(i));
    }
  }
}

TEST_F(Reading, ARecordLongerThanTheBufferCannotBeRead) {
  std::vector<std::pair<std::string, std::string>> members;
  for (int i = 0; i < 300; ++i) members.emplace_back(std::string(30, 'n'), std::string(29, '0') + std::to_string(i % 10));
  std::string big = Group(std::string(30, 'G'), members);
  ASSERT_EQ(big.size(), 18633u);
  auto file = Phonebook(Header() + Person("A", "1") + big + Person("B", "2"));
  ReadOutcome outcome;
  List(file, &outcome);
  EXPECT_EQ(outcome.problem, ReadProblem::RecordTooLarge);
  EXPECT_EQ(outcome.result, StoreResult::NoMemory);
  EXPECT_EQ(ReadGroupMembers(Wide(file), std::string(30, 'G'), [](auto, auto) { return true; }).problem,
            ReadProblem::RecordTooLarge);
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(file), u"B <2>", entry), StoreResult::NoMemory);
  EXPECT_EQ(ReadEntry(Wide(file), u"A <1>", entry), StoreResult::Ok);
}

TEST_F(Reading, ARecordOfExactlyTheBufferSizeFits) {
  std::string record = Person("Big", "1");
  std::size_t pad = kReadBufferSize - record.size();
  record = test::Individual({"Big", "1", "", "", "", std::string(pad, 'r'), "0", "0", "", "0", "0", "", "", "", ""});
  ASSERT_EQ(record.size(), kReadBufferSize);
  auto file = Phonebook(Header() + record + Person("After", "2"));
  EXPECT_EQ(List(file).size(), 2u);
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(file), u"After <2>", entry), StoreResult::Ok);
  // One byte more and it no longer fits.
  record.insert(record.find("rrr"), "r");
  ReadOutcome outcome;
  List(Phonebook(Header() + record), &outcome);
  EXPECT_EQ(outcome.problem, ReadProblem::RecordTooLarge);
}

TEST_F(Reading, ReadEntryFillsBothRecords) {
  auto file = Phonebook(Header() + Group("Dupont", {}) +
                        "\x01" "DUPONT\x03" "01\x03" "Soci\xE9t\xE9\x03" "0140\x03" "d@x.fr\x03" "r\x03"
                        "4\x03" "1\x03" "12\x03" "1\x03" "007\x03" "2\x03" "150\x03" "9999\x03\x04");
  PhonebookEntry entry{};
  entry.record.speedDialFlag = 7;  // not carried by the file: kept
  ASSERT_EQ(ReadEntry(Wide(file), u"dupont <01>", entry), StoreResult::Ok);
  EXPECT_EQ(AnsiSlotView(entry.record.name), "DUPONT");
  EXPECT_EQ(std::u16string(entry.details.name), u"DUPONT");
  EXPECT_EQ(std::u16string(entry.details.company), u"Société");
  EXPECT_EQ(std::u16string(entry.details.email), u"d@x.fr");
  EXPECT_EQ(entry.record.sendMode, '4');
  EXPECT_EQ(entry.record.printOnRelay, '1');
  EXPECT_EQ(entry.record.destinationCount, 1);
  EXPECT_EQ(std::string(entry.record.destinationIds, 3), "007");
  EXPECT_EQ(entry.record.transmissionMode, 2);
  EXPECT_EQ(AnsiSlotView(entry.record.mailboxId), "150");
  EXPECT_EQ(AnsiSlotView(entry.record.mailboxPassword), "9999");
  // The record ended after the mailbox password.
  EXPECT_EQ(AnsiSlotView(entry.record.fCode), "");
  EXPECT_EQ(entry.record.speedDialFlag, 7);
}

TEST_F(Reading, MatchingIgnoresAsciiCaseOnlyAndNeverFindsAGroup) {
  auto file = Phonebook(Header() + Group("Martin", {{"Martin", "01"}}) + Person("Martin", "02") +
                        Person("\xC9lise", "03"));
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(file), u"MARTIN <02>", entry), StoreResult::Ok);
  EXPECT_EQ(ReadEntry(Wide(file), u"Martin <01>", entry), StoreResult::NotFound);  // only a reference
  EXPECT_EQ(ReadEntry(Wide(file), u"élise <03>", entry), StoreResult::NotFound);
  EXPECT_EQ(ReadEntry(Wide(file), u"Élise <03>", entry), StoreResult::Ok);
}

TEST_F(Reading, ADanglingMemberIsStillListed) {
  auto file = Phonebook(Header() + Person("Martin", "01") + Group("Ventes", {{"Martin", "01"}, {"Absent", "99"}}));
  std::vector<std::string> members;
  ReadOutcome outcome = ReadGroupMembers(Wide(file), "VENTES", [&](std::string_view name, std::string_view fax) {
    members.push_back(std::string(name) + " <" + std::string(fax) + ">");
    return true;
  });
  EXPECT_TRUE(outcome.ok());
  EXPECT_EQ(members, (std::vector<std::string>{"Martin <01>", "Absent <99>"}));
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(file), u"Absent <99>", entry), StoreResult::NotFound);
  // A group that is not there is no failure.
  EXPECT_TRUE(ReadGroupMembers(Wide(file), "Compta", [](auto, auto) { return true; }).ok());
}

TEST_F(Reading, ReadEntryRefusesOlderVersionsAndOtherNames) {
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(Phonebook("TOVA_KALDE_ORBY_FAX_DATA_FILE_1000\n")), u"A <1>", entry), StoreResult::BadFormat);
  EXPECT_EQ(ReadEntry(Wide(Phonebook(Header(), "x.txt")), u"A <1>", entry), StoreResult::BadFormat);
  EXPECT_EQ(ReadEntry(Wide(path("none.AFD")), u"A <1>", entry), StoreResult::CannotOpen);
}

TEST_F(Reading, APhonebookHeldByAnotherProgramCannotBeOpened) {
  auto file = Phonebook(Header() + Person("A", "1"));
  PhonebookEntry entry{};
  {
    test::ChildHolder other(file);
    ASSERT_TRUE(other.held());
    EXPECT_EQ(ValidatePhonebook(Wide(file)).problem, ReadProblem::CannotOpen);
    EXPECT_EQ(CheckVersion(Wide(file)), StoreResult::CannotOpen);
    EXPECT_EQ(ReadEntry(Wide(file), u"A <1>", entry), StoreResult::CannotOpen);
  }
  {
    test::LocalHolder same(file);
    ASSERT_TRUE(same.held());
    ReadOutcome outcome;
    List(file, &outcome);
    EXPECT_EQ(outcome.problem, ReadProblem::CannotOpen);
  }
  EXPECT_EQ(ReadEntry(Wide(file), u"A <1>", entry), StoreResult::Ok);
}

TEST_F(Reading, AReadOnlyPhonebookFailsValidationButReadEntryClearsIt) {
  auto file = Phonebook(Header() + Person("A", "1"));
  chmod(file.c_str(), 0444);
  EXPECT_EQ(ValidatePhonebook(Wide(file)).problem, ReadProblem::CannotOpen);
  PhonebookEntry entry{};
  EXPECT_EQ(ReadEntry(Wide(file), u"A <1>", entry), StoreResult::Ok);
  EXPECT_TRUE(ValidatePhonebook(Wide(file)).ok());
}

}  // namespace
}  // namespace tq::phonebook
