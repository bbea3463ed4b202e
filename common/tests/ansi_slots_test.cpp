// The one conversion between the dialogs' UTF-16 and the records' ANSI slots.
#include "common/ansi_slots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "win/quoting.h"

namespace {

class AnsiSlots : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("TELEQUILL_ACP"); }
};

TEST_F(AnsiSlots, FullSlotsAndCutsKeepWholeCharactersIn1252) {
  char slot[6];
  std::memset(slot, 'x', sizeof slot);
  tq::WideToAnsiSlot(u"Télécopie", slot);
  EXPECT_EQ(std::string(slot, sizeof slot), std::string("T\xE9l\xE9" "c\0", 6));
  // A slot read from a file may fill its last byte.
  const char full[4] = {'A', 'B', 'C', 'D'};
  EXPECT_EQ(tq::AnsiSlotView(full), "ABCD");
  EXPECT_EQ(tq::AnsiSlotToWide(full, 3), u"ABC");
  // A surrogate pair the code page lacks becomes one '?', never half of one.
  EXPECT_EQ(tq::WideToAnsi(u"ab\U0001F600", 3), "ab?");
  EXPECT_EQ(tq::WideToAnsi(u"ab\U0001F600", 2), "ab");
  char16_t wide[4];
  tq::CopyToWideSlot(wide, u"ab\U0001F600");
  EXPECT_EQ(tq::WideSlotView(wide), u"ab");
  // A combining accent joins its letter only when asked to.
  EXPECT_EQ(tq::WideToAnsi(u"e\u0301", tq::kNoLimit, WC_COMPOSITECHECK), "\xE9");
  EXPECT_EQ(tq::WideToAnsi(u"e\u0301").substr(0, 1), "e");
  std::string ansi;
  EXPECT_TRUE(tq::Utf8ToAnsi("Ça", ansi));
  EXPECT_EQ(ansi, "\xC7" "a");
  EXPECT_FALSE(tq::Utf8ToAnsi("日本", ansi));
  EXPECT_EQ(tq::AnsiToUtf8("\xC7" "a"), "Ça");
}

TEST_F(AnsiSlots, DoubleByteCharactersAreNeverSplitIn932) {
  setenv("TELEQUILL_ACP", "932", 1);
  ASSERT_EQ(GetACP(), 932u);
  char slot[6];
  // Three double-byte characters need six bytes; only two fit beside the
  // terminator.
  tq::WideToAnsiSlot(u"日本語", slot);
  EXPECT_EQ(tq::AnsiSlotToWide(slot), u"日本");
  EXPECT_EQ(slot[4], '\0');
  // Copying stored bytes cuts before a lead byte, not after it.
  const std::string stored = tq::WideToAnsi(u"a日本");
  ASSERT_EQ(stored.size(), 5u);
  char small[5];
  tq::CopyToAnsiSlot(small, stored);
  EXPECT_EQ(tq::AnsiSlotView(small), stored.substr(0, 3));
  // What a slot shows of a text, without a slot: the same cut, and a NUL ends it.
  EXPECT_EQ(tq::AnsiSlotPart(stored, sizeof small), tq::AnsiSlotView(small));
  EXPECT_EQ(tq::AnsiSlotPart(std::string("a\0b", 3), 5), "a");
  EXPECT_EQ(tq::AnsiSlotPart("abcd", 5), "abcd");
  EXPECT_EQ(tq::AnsiSlotPart("abcd", 0), "");
  EXPECT_EQ(tq::AnsiToWide(stored, 2), u"a日");
  // Appended after text already there, the limit counts the new units only.
  std::u16string line = u"x ";
  tq::AppendAnsiToWide(line, stored, 2);
  tq::AppendAnsiToWide(line, "bcd", 1);
  EXPECT_EQ(line, u"x a日b");
}

TEST(Quoting, CAndJsonFormsKeepTextOnOneLine) {
  EXPECT_EQ(tq::QuoteC("a\"b\\c\n\t\x01\x7F" "é"), "\"a\\\"b\\\\c\\n\\t\\x01\\x7f" "é\"");
  EXPECT_EQ(tq::QuoteJson("a\"b\\c\n\r\x01\x7F"), "\"a\\\"b\\\\c\\n\\r\\u0001\x7F\"");
}

}  // namespace
