// The record bytes of a phonebook file, written out inline, and damaged
// copies of them.
#include <gtest/gtest.h>

#include "phonebook/afd_format.h"
#include "phonebook_bytes.h"

namespace tq::phonebook {
namespace {

using test::Group;
using test::Individual;

// One individual as every writer lays it out.
const std::string kDupont =
    "\x01"              // individual start
    "Dupont\x03"        // name
    "0123\x03"          // fax number
    "ACME\x03"          // company
    "0140\x03"          // telephone
    "d@acme.fr\x03"     // e-mail
    "client\x03"        // remarks
    "1\x03"             // send mode: relay
    "0\x03"             // print on relay terminal
    "12\x03"            // relay terminal ID
    "2\x03"             // destination ID count
    "001\x03"           // destination 1
    "002\x03"           // destination 2
    "3\x03"             // transmission mode index
    "7\x03"             // mailbox ID
    "1234\x03"          // mailbox password
    "FC\x03"            // F code
    "PW\x03"            // F code password
    "\x04";             // record end

TEST(AfdIndividual, ParsesEveryField) {
  IndividualFields f = ParseIndividual(kDupont);
  EXPECT_EQ(f.name, "Dupont");
  EXPECT_EQ(f.faxNumber, "0123");
  EXPECT_EQ(f.company, "ACME");
  EXPECT_EQ(f.telephone, "0140");
  EXPECT_EQ(f.email, "d@acme.fr");
  EXPECT_EQ(f.remarks, "client");
  EXPECT_EQ(f.sendMode, "1");
  EXPECT_EQ(f.printOnRelay, "0");
  EXPECT_EQ(f.relayTerminalId, "12");
  EXPECT_EQ(f.destinationIds, (std::vector<std::string>{"001", "002"}));
  EXPECT_EQ(f.transmissionMode, 3u);
  EXPECT_EQ(f.mailboxId, "7");
  EXPECT_EQ(f.mailboxPassword, "1234");
  EXPECT_EQ(f.fCode, "FC");
  EXPECT_EQ(f.fCodePassword, "PW");
  EXPECT_EQ(SerialiseIndividual(f), kDupont);
}

TEST(AfdIndividual, EndingAfterTheMailboxPasswordLeavesTheFCodeEmpty) {
  std::string shortRecord = kDupont.substr(0, kDupont.find("FC\x03")) + "\x04";
  IndividualFields f = ParseIndividual(shortRecord);
  EXPECT_EQ(f.mailboxPassword, "1234");
  EXPECT_EQ(f.fCode, "");
  EXPECT_EQ(f.fCodePassword, "");
  // Writers always write both.
  EXPECT_EQ(SerialiseIndividual(f), kDupont.substr(0, kDupont.find("FC\x03")) + "\x03\x03\x04");
}

TEST(AfdIndividual, ACountRunningPastTheRecordStopsAtItsEnd) {
  // Nine destinations announced, two given: nothing is read past the end.
  IndividualFields f = ParseIndividual(Individual({"A", "1", "", "", "", "", "0", "0", "", "9", "001", "002"}));
  EXPECT_EQ(f.destinationIds.size(), 2u);
  EXPECT_EQ(f.transmissionMode, 0u);
  EXPECT_EQ(f.mailboxId, "");
  // A last field without its 0x03 still ends at the record's end byte.
  IndividualFields g = ParseIndividual(std::string("\x01" "Bob\x03" "42\x04"));
  EXPECT_EQ(g.name, "Bob");
  EXPECT_EQ(g.faxNumber, "42");
  EXPECT_EQ(g.company, "");
}

TEST(AfdIndividual, FieldsLongerThanTheirPlaceAreCut) {
  std::vector<std::string> fields = {std::string(40, 'N'), std::string(35, '9'), std::string(80, 'c'),
                                     std::string(50, 't'), std::string(70, 'e'), std::string(300, 'r'),
                                     "44", "11", "123", "25"};
  for (int i = 0; i < 25; ++i) fields.push_back("1234");
  for (std::string tail : {std::string("12"), std::string("1234"), std::string("12345678"), std::string(25, 'f'), std::string(25, 'p')}) {
    fields.push_back(tail);
  }
  IndividualFields f = ParseIndividual(Individual(fields));
  EXPECT_EQ(f.name.size(), 30u);
  EXPECT_EQ(f.faxNumber.size(), 30u);
  EXPECT_EQ(f.company.size(), 59u);
  EXPECT_EQ(f.telephone.size(), 46u);
  EXPECT_EQ(f.email.size(), 59u);
  EXPECT_EQ(f.remarks.size(), 254u);
  EXPECT_EQ(f.sendMode, "4");
  EXPECT_EQ(f.relayTerminalId, "12");
  // 25 destinations in the file: the first 20 are kept, each of 3 bytes,
  // and the fields after all 25 are still found in their places.
  ASSERT_EQ(f.destinationIds.size(), 20u);
  EXPECT_EQ(f.destinationIds[0], "123");
  EXPECT_EQ(f.transmissionMode, 12u);
  EXPECT_EQ(f.mailboxId, "123");
  EXPECT_EQ(f.mailboxPassword, "123456");
  EXPECT_EQ(f.fCode.size(), 20u);
  EXPECT_EQ(f.fCodePassword.size(), 20u);
}

TEST(AfdIndividual, TheSerialiserDropsControlBytesAndCutsFields) {
  IndividualFields f;
  f.name = "Du\x01pont\x04";
  f.faxNumber = "01\x03" "23";
  f.remarks = std::string(300, 'r');
  f.sendMode = "0";
  f.printOnRelay = "0";
  f.destinationIds = {"00\x02" "1"};
  std::string bytes = SerialiseIndividual(f);
  IndividualFields back = ParseIndividual(bytes);
  EXPECT_EQ(back.name, "Dupont");
  EXPECT_EQ(back.faxNumber, "0123");
  EXPECT_EQ(back.remarks.size(), 254u);
  EXPECT_EQ(back.destinationIds, (std::vector<std::string>{"001"}));
  // Control bytes stand only at the record's structure.
  EXPECT_EQ(bytes.front(), kIndividualStart);
  EXPECT_EQ(bytes.back(), kRecordEnd);
  EXPECT_EQ(bytes.find_first_of(std::string("\x01\x02\x04", 3), 1), bytes.size() - 1);
}

TEST(AfdGroup, RoundTripsItsMembers) {
  GroupFields group{"Ventes", {{"Dupont", "0123"}, {"Martin", "01"}}};
  std::string bytes = SerialiseGroup(group);
  EXPECT_EQ(bytes,
            "\x02" "Ventes\x03"   // group start and name
            "Dupont\x03" "0123\x03"  // member 1
            "Martin\x03" "01\x03"    // member 2
            "\x04");
  GroupFields back = ParseGroup(bytes);
  EXPECT_EQ(back.name, "Ventes");
  ASSERT_EQ(back.members.size(), 2u);
  EXPECT_EQ(back.members[1].name, "Martin");
  EXPECT_EQ(back.members[1].faxNumber, "01");
  EXPECT_EQ(GroupRecordName(bytes), "Ventes");
}

TEST(AfdGroup, AnEmptyGroupAndTheLargestSizes) {
  EXPECT_EQ(SerialiseGroup({"Vide", {}}), "\x02" "Vide\x03\x04");
  EXPECT_TRUE(ParseGroup("\x02" "Vide\x03\x04").members.empty());
  // 300 members with 30-byte names and numbers: 33 + 62 * 300 bytes.
  GroupFields big{std::string(30, 'G'), {}};
  for (int i = 0; i < 300; ++i) big.members.push_back({std::string(30, 'n'), std::string(30, '9')});
  EXPECT_EQ(SerialiseGroup(big).size(), 18633u);
  // A trailing name without its number is no member.
  EXPECT_EQ(ParseGroup("\x02" "G\x03" "A\x03" "1\x03" "B\x03\x04").members.size(), 1u);
}

TEST(AfdMagic, VersionsAndDamagedHeaders) {
  EXPECT_EQ(CheckMagic("TOVA_KALDE_ORBY_FAX_DATA_FILE_2000"), StoreResult::Ok);
  EXPECT_EQ(CheckMagic("TOVA_KALDE_ORBY_FAX_DATA_FILE_1000"), StoreResult::Version1000);
  EXPECT_EQ(CheckMagic("TOVA_KALDE_ORBY_FAX_DATA_FILE_0000"), StoreResult::Version0000);
  EXPECT_EQ(CheckMagic("TOVA_KALDE_ORBY_FAX_DATA_FILE_200"), StoreResult::BadFormat);   // too short
  EXPECT_EQ(CheckMagic("TOVA_KALDE_ORBY_FAX_DATA_FILE_3000"), StoreResult::BadFormat);  // foreign
  EXPECT_EQ(CheckMagic("tova_kalde_orby_fax_data_file_2000"), StoreResult::BadFormat);  // exact bytes only
  EXPECT_EQ(CheckMagic(""), StoreResult::BadFormat);
  // The byte after the magic is not looked at.
  EXPECT_EQ(CheckMagic("TOVA_KALDE_ORBY_FAX_DATA_FILE_2000X"), StoreResult::Ok);
  EXPECT_EQ(EmptyPhonebookBytes().size(), kHeaderLength);
}

TEST(AfdSearch, ThePlainWalkAndARecordWithoutItsEndByte) {
  std::string window = "\n" + kDupont + Group("G", {{"Dupont", "0123"}});
  RecordSearch first = FindRecord(window, {});
  ASSERT_TRUE(first.found);
  EXPECT_EQ(first.start, 1u);
  EXPECT_EQ(first.end, 1 + kDupont.size());
  RecordSearch second = FindRecord(std::string_view(window).substr(first.end), {});
  ASSERT_TRUE(second.found);
  EXPECT_EQ(window[first.end + second.start], kGroupStart);

  // The same bytes cut inside the group: the walk stops there.
  std::string cut = window.substr(0, window.size() - 3);
  RecordSearch stopped = FindRecord(std::string_view(cut).substr(first.end), {});
  EXPECT_FALSE(stopped.found);
  EXPECT_TRUE(stopped.incomplete);
  EXPECT_EQ(stopped.lastStart, 0u);
}

TEST(AfdSearch, KeyedSearchesPassOverTheOtherKind) {
  std::string window = Group("Martin", {{"Martin", "02"}}) + test::Person("MARTIN", "02") + test::Person("Martin", "01");
  RecordQuery individual{RecordQuery::Kind::Individual, "martin", "01"};
  RecordSearch found = FindRecord(window, individual);
  ASSERT_TRUE(found.found);
  EXPECT_EQ(ParseIndividual(std::string_view(window).substr(found.start, found.end - found.start)).faxNumber, "01");

  RecordQuery group{RecordQuery::Kind::Group, "MARTIN", ""};
  RecordSearch g = FindRecord(window, group);
  ASSERT_TRUE(g.found);
  EXPECT_EQ(g.start, 0u);

  // An individual named like a group is not the group, and no match gives
  // the last start byte of the whole window.
  RecordQuery missing{RecordQuery::Kind::Individual, "Martin", "03"};
  RecordSearch none = FindRecord(window + "\x01" "Mar", missing);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.lastStart, window.size());

  // One whole record answers as the window search does on it alone.
  const std::string records[] = {Group("Martin", {{"Martin", "02"}}), test::Person("MARTIN", "02"),
                                 test::Person("Martin", "01"), test::Person("Martin", "01").substr(1)};
  for (const RecordQuery& query : {individual, group, missing}) {
    for (const std::string& record : records) {
      EXPECT_EQ(RecordHasKey(record, query), FindRecord(record, query).found) << record;
    }
  }
}

TEST(AfdDecimal, DigitsLeftToRight) {
  EXPECT_EQ(ParseDecimal(""), 0u);
  EXPECT_EQ(ParseDecimal("042"), 42u);
  EXPECT_EQ(ParseDecimal("12x3"), 12u);
}

}  // namespace
}  // namespace tq::phonebook
