// The group editor's record in file form and the parts of display lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/record_key.h"
#include "phonebook/group_editor.h"
#include "phonebook_lines.h"

namespace tq::faxui {
namespace {

std::string Bytes(const std::vector<char>& record) { return std::string(record.begin(), record.end()); }

TEST(GroupRecord, MembersInListOrderWithFieldEnds) {
  const std::vector<char> record = BuildGroupRecord(u"G", {u"A <1>", u"B <22>"});
  EXPECT_EQ(Bytes(record), std::string("\x02G\x03" "A\x03" "1\x03" "B\x03" "22\x03\x04"));
  EXPECT_EQ(record.size(), 13u);
}

TEST(GroupRecord, EmptyGroupAndLongName) {
  EXPECT_EQ(Bytes(BuildGroupRecord(u"X", {})), std::string("\x02X\x03\x04"));
  // A name is cut to 30 bytes; a member's name keeps its blanks.
  const std::vector<char> record = BuildGroupRecord(std::u16string(40, u'n'), {u"Jean de la Rue <0123>"});
  EXPECT_EQ(Bytes(record), "\x02" + std::string(30, 'n') + "\x03" "Jean de la Rue\x03" "0123\x03\x04");
}

TEST(LineParts, NameWithBlanksAndGroupNames) {
  const RecordKey key = RecordKey::FromLine(u"Jean de la Rue <0123>", RecordType::Individual);
  EXPECT_EQ(key.name, u"Jean de la Rue");
  EXPECT_EQ(key.number, u"0123");
  EXPECT_EQ(RecordKey::FromLine(u" <1>", RecordType::Individual).name, u"");
  EXPECT_EQ(RecordKey::FromLine(u"[Ventes]", RecordType::Group).name, u"Ventes");
  EXPECT_EQ(RecordKey::FromLine(u"[A]B]", RecordType::Group).name, u"A");
  EXPECT_TRUE(SameTextNoCase(u"dupont", u"DUPONT"));
  EXPECT_TRUE(SameTextNoCase(u"élan", u"ÉLAN"));
  EXPECT_FALSE(SameTextNoCase(u"dupont", u"dupond"));
  EXPECT_FALSE(SameTextNoCase(u"dupon", u"dupont"));
}

}  // namespace
}  // namespace tq::faxui
