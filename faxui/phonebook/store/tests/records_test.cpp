// Display lines, keys and the working entry.
#include <gtest/gtest.h>

#include <cstring>

#include "phonebook/records.h"

namespace tq::phonebook {
namespace {

TEST(DisplayLine, ANameWithSpacesSplitsBack) {
  std::u16string line = RecordKey::Individual(u"Jean de la Rue", u"0123").Line();
  EXPECT_EQ(line, u"Jean de la Rue <0123>");
  AnsiRecordKey key = AnsiKeyOfLine(line, RecordType::Individual);
  EXPECT_EQ(key.name, "Jean de la Rue");
  EXPECT_EQ(key.faxNumber, "0123");
}

TEST(DisplayLine, GroupsAndIndividualsOfOneName) {
  EXPECT_EQ(RecordKey::Group(u"Martin").Line(), u"[Martin]");
  EXPECT_EQ(AnsiKeyOfLine(u"[Martin]", RecordType::Group).name, "Martin");
  // A group name ends at the first closing bracket.
  EXPECT_EQ(AnsiKeyOfLine(u"[A]B]", RecordType::Group).name, "A");
  AnsiRecordKey one = AnsiKeyOfLine(u"Martin <01>", RecordType::Individual);
  AnsiRecordKey two = AnsiKeyOfLine(u"Martin <02>", RecordType::Individual);
  EXPECT_TRUE(KeysEqual(one.name, two.name));
  EXPECT_FALSE(KeysEqual(one.faxNumber, two.faxNumber));
}

TEST(DisplayLine, TextIsConvertedToTheAnsiCodePage) {
  AnsiRecordKey key = AnsiKeyOfLine(u"Hélène <01>", RecordType::Individual);
  EXPECT_EQ(key.name, "H\xE9l\xE8ne");
  // Odd lines give empty parts rather than reading outside the line.
  EXPECT_EQ(AnsiKeyOfLine(u"Solo", RecordType::Individual).faxNumber, "");
  EXPECT_EQ(AnsiKeyOfLine(u"A <", RecordType::Individual).faxNumber, "");
  EXPECT_EQ(AnsiKeyOfLine(u"", RecordType::Group).name, "");
}

TEST(KeyComparison, AsciiLettersIgnoreCaseOtherBytesDoNot) {
  EXPECT_EQ(CompareKeys("dupont", "DUPONT"), 0);
  // e acute in lower and upper case (0xE9, 0xC9) differ.
  EXPECT_NE(CompareKeys("\xE9tienne", "\xC9tienne"), 0);
  // The byte after a lead byte compares exactly, even when it is a letter.
  EXPECT_NE(CompareKeys("\x82" "a", "\x82" "A"), 0);
  EXPECT_EQ(CompareKeys("\x82" "a", "\x82" "a"), 0);
  // Equal only when both end at the same place.
  EXPECT_NE(CompareKeys("Martin", "Martine"), 0);
  EXPECT_LT(CompareKeys("Martin", "Martine"), 0);
  EXPECT_EQ(CompareKeys("", ""), 0);
}

TEST(WorkingEntry, ResetGivesTheDefaultRecordAndClearDetails) {
  PhonebookEntry entry;
  std::memset(&entry, 0x55, sizeof entry);
  ResetWorkingEntry(entry);
  EXPECT_EQ(std::memcmp(&entry.record, &DefaultEntryRecord, sizeof entry.record), 0);
  EXPECT_EQ(entry.record.sendMode, '0');
  EXPECT_EQ(entry.record.printOnRelay, '0');
  EXPECT_EQ(entry.details.name[0], u'\0');
  EXPECT_EQ(entry.details.remarks[0], u'\0');
  EXPECT_EQ(entry.details.detailsAvailable, 0);

  PhonebookEntry copy;
  CopyToAnsiSlot(entry.record.name, "Dupont");
  entry.details.detailsAvailable = 1;
  CopyEntry(entry, copy);
  EXPECT_EQ(std::memcmp(&copy, &entry, sizeof entry), 0);
}

TEST(Slots, CopyCutsAndClearsTheRest) {
  char slot[5];
  std::memset(slot, 'x', sizeof slot);
  CopyToAnsiSlot(slot, "abcdefg");
  EXPECT_EQ(AnsiSlotView(slot), "abcd");
  CopyToAnsiSlot(slot, "z");
  EXPECT_EQ(slot[1], '\0');
  EXPECT_EQ(slot[4], '\0');
  char full[3] = {'a', 'b', 'c'};  // no terminator: the whole slot
  EXPECT_EQ(AnsiSlotView(full), "abc");
}

}  // namespace
}  // namespace tq::phonebook
