// Reading vCard text of the three versions, and what bad input gives.
#include <gtest/gtest.h>

#include <string>

#include "vcard_reader.h"

using tq::vcard::ReadCards;

TEST(VcardReader, Version21QuotedPrintableWithSoftBreaksAndCharset) {
  // "Zoé Müller" in ISO-8859-1, quoted-printable, split by a soft break.
  const std::string text =
      "BEGIN:VCARD\r\nVERSION:2.1\r\n"
      "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Zo=E9 M=\r\n=FCller\r\n"
      "TEL;WORK;FAX:+33 1 23\r\n"
      "END:VCARD\r\n";
  auto read = ReadCards(text);
  ASSERT_EQ(read.cards.size(), 1u);
  const auto& card = read.cards[0];
  EXPECT_EQ(card.version, "2.1");
  EXPECT_EQ(card.Find("FN")->value, "Zoé Müller");
  const auto* tel = card.Find("TEL");
  EXPECT_TRUE(tel->HasType("fax"));
  EXPECT_TRUE(tel->HasType("WORK"));
  EXPECT_FALSE(tel->HasType("HOME"));
}

TEST(VcardReader, FoldedLinesAndTypeListsOf30And40) {
  const std::string text =
      "BEGIN:VCARD\nVERSION:3.0\nFN:Jean-Pierre de la\n  Fontaine\n"
      "TEL;TYPE=work,fax:01\nEND:VCARD\n"
      "BEGIN:VCARD\nVERSION:4.0\nFN:Ana\nTEL;VALUE=uri;TYPE=\"fax,home\";PREF=1:tel:+34-9\nEND:VCARD\n";
  auto read = ReadCards(text);
  ASSERT_EQ(read.cards.size(), 2u);
  EXPECT_EQ(read.cards[0].Find("FN")->value, "Jean-Pierre de la Fontaine");
  EXPECT_TRUE(read.cards[0].Find("TEL")->HasType("FAX"));
  const auto* tel = read.cards[1].Find("TEL");
  EXPECT_TRUE(tel->HasType("home"));
  EXPECT_TRUE(tel->HasType("pref"));
  EXPECT_EQ(tel->value, "tel:+34-9");
}

TEST(VcardReader, EscapesAndStructuredValues) {
  EXPECT_EQ(tq::vcard::Unescape("a\\, b\\;c\\nd\\\\"), "a, b;c\nd\\");
  auto parts = tq::vcard::Components("Dupont;Jean\\;Marc;;Dr");
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[1], "Jean;Marc");
  EXPECT_EQ(tq::vcard::Components("a\\").size(), 1u);  // a trailing backslash is kept, not read past
}

TEST(VcardReader, BadInputGivesSkippedCardsNotACrash) {
  // A card without END, then one that ends; broken quoted-printable is
  // kept as written; an unknown charset is read as UTF-8 when it is.
  const std::string text =
      "BEGIN:VCARD\nVERSION:3.0\nFN:Lost\n"
      "BEGIN:VCARD\nVERSION:2.1\nFN;ENCODING=QUOTED-PRINTABLE:A=ZZ=4\n"
      "NOTE;CHARSET=X-NOWHERE:caf\xc3\xa9\nthis is no property\nEND:VCARD\n"
      "BEGIN:VCARD\nFN:Never ends\n";
  auto read = ReadCards(text);
  ASSERT_EQ(read.cards.size(), 1u);
  EXPECT_EQ(read.skippedCards, 2);
  EXPECT_EQ(read.droppedLines, 1);
  EXPECT_EQ(read.cards[0].Find("FN")->value, "A=ZZ=4");
  EXPECT_EQ(read.cards[0].Find("NOTE")->value, "café");
}

TEST(VcardReader, InvalidUtf8WithoutCharsetIsReadInTheAnsiCodePage) {
  auto read = ReadCards("BEGIN:VCARD\nFN:Ren\xe9\nEND:VCARD\n");
  ASSERT_EQ(read.cards.size(), 1u);
  EXPECT_EQ(read.cards[0].Find("FN")->value, "René");
}

TEST(VcardReader, OverlongLinesAreDroppedAndNotAVcardIsSaid) {
  std::string huge = "BEGIN:VCARD\nFN:Big\nNOTE:" + std::string(3 << 20, 'x') + "\n" +
                     " folded onto the dropped line\nTEL;FAX:1\nEND:VCARD\n";
  auto read = ReadCards(huge);
  ASSERT_EQ(read.cards.size(), 1u);
  EXPECT_EQ(read.droppedLines, 1);
  EXPECT_EQ(read.cards[0].Find("TEL")->value, "1");
  EXPECT_EQ(read.cards[0].Find("NOTE"), nullptr);

  auto notVcard = ReadCards("Nom,Fax\nDupont,0123\n");
  EXPECT_FALSE(notVcard.sawBeginVcard);
  EXPECT_TRUE(notVcard.cards.empty());
}

TEST(VcardReader, NestedAgentCardIsNotReadAsItsOwnCard) {
  auto read = ReadCards(
      "BEGIN:VCARD\nVERSION:2.1\nFN:Boss\nAGENT:\nBEGIN:VCARD\nFN:Assistant\nEND:VCARD\n"
      "TEL;FAX:9\nEND:VCARD\n");
  ASSERT_EQ(read.cards.size(), 1u);
  EXPECT_EQ(read.cards[0].Find("FN")->value, "Boss");
  EXPECT_EQ(read.cards[0].Find("TEL")->value, "9");
}
