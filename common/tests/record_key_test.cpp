// Record keys and their display lines: what a person can type into a name
// comes back from the line unchanged.
#include "common/record_key.h"

#include <gtest/gtest.h>

#include "common/ansi_slots.h"

namespace tq {
namespace {

TEST(RecordKey, NamesAPersonCanTypeComeBackFromTheirLine) {
  const std::u16string longest(30, u'N');
  const std::u16string longestNumber(30, u'9');
  const struct {
    std::u16string name;
    std::u16string number;
    std::u16string line;
  } cases[] = {
      {u"Jean de la Rue", u"0123", u"Jean de la Rue <0123>"},
      {u"Dupont <Paris>", u"0145678900", u"Dupont <Paris> <0145678900>"},
      {u"a > b", u"01", u"a > b <01>"},
      {u"<", u"1", u"< <1>"},
      {u">", u"2", u"> <2>"},
      {u"Martin (Lyon)", u"3", u"Martin (Lyon) <3>"},
      {u"Caf [bar]", u"4", u"Caf [bar] <4>"},
      {u"   ", u"5", u"    <5>"},
      {u"", u"0123", u" <0123>"},
      {u"Hélène", u"", u"Hélène <>"},
      {longest, longestNumber, longest + u" <" + longestNumber + u">"},
  };
  for (const auto& c : cases) {
    const RecordKey key = RecordKey::Individual(c.name, c.number);
    EXPECT_EQ(key.Line(), c.line);
    EXPECT_EQ(RecordKey::FromLine(key.Line(), RecordType::Individual), key);
  }
  const RecordKey group = RecordKey::Group(u"Les amis (Lyon) <2>");
  EXPECT_EQ(group.Line(), u"[Les amis (Lyon) <2>]");
  EXPECT_EQ(RecordKey::FromLine(group.Line(), RecordType::Group), group);
}

TEST(RecordKey, SpeedDialAndRecordsAndOddLines) {
  EXPECT_EQ(RecordKey::SpeedDial(u"Dupont", u"005").Line(), u"Dupont <'005'>");
  EXPECT_EQ(RecordKey::SpeedDial(u"", u"***").BracketedNumber(), u"<'***'>");
  EXPECT_NE(RecordKey::SpeedDial(u"Dupont", u"005"), RecordKey::Individual(u"Dupont", u"005"));

  EntryRecord record = DefaultEntryRecord;
  CopyToAnsiSlot(record.name, "H\xE9l\xE8ne");
  CopyToAnsiSlot(record.faxNumber, "11*");
  record.speedDialFlag = 1;
  EXPECT_EQ(RecordKey::Of(record).Line(), u"Hélène <'11*'>");
  record.speedDialFlag = 0;
  EXPECT_EQ(RecordKey::Of(record), RecordKey::Individual(u"Hélène", u"11*"));

  // A group's name ends at its first ']'; lines of no known shape give
  // empty parts rather than reading outside the line.
  EXPECT_EQ(RecordKey::FromLine(u"[A]B]", RecordType::Group).name, u"A");
  EXPECT_EQ(RecordKey::FromLine(u"", RecordType::Group), RecordKey::Group(u""));
  EXPECT_EQ(RecordKey::FromLine(u"Solo", RecordType::Individual), RecordKey::Individual(u"Solo", u""));
  EXPECT_EQ(RecordKey::FromLine(u"A <", RecordType::Individual), RecordKey::Individual(u"A", u""));
  EXPECT_EQ(RecordKey::FromLine(u"A <>", RecordType::Individual), RecordKey::Individual(u"A", u""));
}

TEST(RecordKey, StoreKeysAreTheAnsiLineCutTheSameWay) {
  const AnsiRecordKey key = AnsiKeyOf(RecordKey::Individual(u"Hélène de la Rue", u"0123"));
  EXPECT_EQ(key.name, "H\xE9l\xE8ne de la Rue");
  EXPECT_EQ(key.faxNumber, "0123");
  EXPECT_EQ(AnsiKeyOf(RecordKey::Group(u"Martin")).name, "Martin");
  EXPECT_EQ(AnsiKeyOf(RecordKey::Group(u"Martin")).faxNumber, "");
  EXPECT_EQ(AnsiKeyOf(RecordKey::Individual(u"Dupont <Paris>", u"01")).name, "Dupont <Paris>");

  // Each part is at most 30 bytes, and the line at most 64: a name too long
  // for a record is cut, and so is a number pushed past the 64th byte.
  const AnsiRecordKey longName = AnsiKeyOf(RecordKey::Individual(std::u16string(40, u'a'), u"0123"));
  EXPECT_EQ(longName.name, std::string(30, 'a'));
  EXPECT_EQ(longName.faxNumber, "0123");
  const AnsiRecordKey longest = AnsiKeyOf(RecordKey::Individual(std::u16string(30, u'a'), std::u16string(30, u'9')));
  EXPECT_EQ(longest.name, std::string(30, 'a'));
  EXPECT_EQ(longest.faxNumber, std::string(30, '9'));
  // 40 + 2 + 22 bytes: the number loses its end and one more character.
  const AnsiRecordKey pushed = AnsiKeyOf(RecordKey::Individual(std::u16string(40, u'a'), std::u16string(30, u'9')));
  EXPECT_EQ(pushed.faxNumber, std::string(21, '9'));
  EXPECT_EQ(AnsiKeyOfLine(u"[A]B]", RecordType::Group).name, "A");
}

}  // namespace
}  // namespace tq
