// Cards as address book entries: fax slots, entry IDs, lists in their
// three forms, and two files as desktop address book programs export them.
#include <gtest/gtest.h>

#include "card_book.h"
#include "testing/temp_root.h"

using tq::mapi::CardBook;
using tq::mapi::Contact;

namespace {

CardBook BookOf(const std::string& text) {
  CardBook book;
  book.Add(tq::vcard::ReadCards(text).cards);
  return book;
}

const Contact* Named(const CardBook& book, const std::string& name) {
  for (const Contact& contact : book.contacts()) {
    if (contact.displayName == name) return &contact;
  }
  return nullptr;
}

// A 3.0 export with quoted-printable names and a contact list in the form
// desktop mail clients write, and a 4.0 export with KIND:group.
std::string Export(const std::string& file) {
  return tq::testing::ReadText(std::string(TELEQUILL_MAPI_TEST_DATA) + "/" + file);
}

}  // namespace

TEST(CardBook, FaxTypesGoToPrimaryBusinessAndHome) {
  CardBook book = BookOf(
      "BEGIN:VCARD\nFN:A\nTEL;FAX;WORK;PREF:1\nTEL;FAX;HOME:2\nTEL;FAX:3\nTEL;WORK:4\nEND:VCARD\n"
      "BEGIN:VCARD\nFN:B\nTEL;TYPE=fax:5\nTEL;TYPE=fax:6\nEND:VCARD\n");
  const Contact* a = Named(book, "A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->faxes[tq::mapi::kPrimaryFax], "1");
  EXPECT_EQ(a->faxes[tq::mapi::kBusinessFax], "1");
  EXPECT_EQ(a->faxes[tq::mapi::kHomeFax], "2");
  const Contact* b = Named(book, "B");
  EXPECT_EQ(b->faxes[tq::mapi::kPrimaryFax], "5");
  EXPECT_EQ(b->faxes[tq::mapi::kBusinessFax], "6");
}

TEST(CardBook, EntryIdsAreStableAndDistinct) {
  const std::string text =
      "BEGIN:VCARD\nUID:u-1\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n"
      "BEGIN:VCARD\nFN:B\nEND:VCARD\nBEGIN:VCARD\nUID:u-1\nFN:C\nEND:VCARD\n";
  CardBook first = BookOf(text);
  CardBook second = BookOf(text);
  ASSERT_EQ(first.contacts().size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(first.contacts()[i].id, second.contacts()[i].id);
  EXPECT_EQ(first.contacts()[0].id, tq::mapi::MakeEntryId(tq::mapi::EntryKind::Person, "u-1"));
  EXPECT_NE(first.contacts()[1].id, first.contacts()[2].id);  // identical cards stay two entries
  EXPECT_NE(first.contacts()[0].id, first.contacts()[3].id);  // so do two cards with one UID
  auto parsed = tq::mapi::ParseEntryId(first.contacts()[0].id.data(), first.contacts()[0].id.size());
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->second, "u-1");
  EXPECT_FALSE(tq::mapi::ParseEntryId(first.contacts()[0].id.data(), 5).has_value());
}

TEST(CardBook, NameFallsBackToNThenOrganisation) {
  CardBook book = BookOf(
      "BEGIN:VCARD\nN:Martin;Luc;;;\nEND:VCARD\nBEGIN:VCARD\nORG:Acme\\, SA;Ventes\nEND:VCARD\n");
  EXPECT_NE(Named(book, "Luc Martin"), nullptr);
  EXPECT_NE(Named(book, "Acme, SA"), nullptr);
}

TEST(CardBook, ThreeListFormsAndTheirMembers) {
  CardBook book = BookOf(
      "BEGIN:VCARD\nUID:p\nFN:P\nEMAIL:p@x\nEND:VCARD\n"
      "BEGIN:VCARD\nVERSION:3.0\nUID:g1\nFN:G1\nX-ADDRESSBOOKSERVER-KIND:group\n"
      "X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:p\nX-ADDRESSBOOKSERVER-MEMBER:urn:uuid:g2\nEND:VCARD\n"
      "BEGIN:VCARD\nVERSION:4.0\nUID:g2\nKIND:group\nFN:G2\nMEMBER:mailto:P@X\nMEMBER:urn:uuid:g1\nEND:VCARD\n");
  const Contact* g1 = Named(book, "G1");
  const Contact* g2 = Named(book, "G2");
  ASSERT_TRUE(g1 != nullptr && g2 != nullptr);
  EXPECT_TRUE(g1->isList);
  ASSERT_EQ(g1->members.size(), 2u);
  EXPECT_EQ(book.Resolve(g1->members[0]), Named(book, "P"));
  EXPECT_EQ(book.Resolve(g1->members[1]), g2);
  EXPECT_EQ(book.Resolve(g2->members[0]), Named(book, "P"));  // by address, any case
  EXPECT_EQ(book.Resolve(g2->members[1]), g1);
}

TEST(CardBook, DesktopExport30WithQuotedPrintableAndContactList) {
  CardBook book = BookOf(Export("desktop-export-3.0.vcf"));
  const Contact* rene = Named(book, "René Dupré");
  ASSERT_NE(rene, nullptr);
  EXPECT_EQ(rene->faxes[tq::mapi::kBusinessFax], "+33 1 40 00 00 01");
  EXPECT_EQ(rene->faxes[tq::mapi::kHomeFax], "+33 1 40 00 00 02");
  const Contact* team = Named(book, "Équipe");
  ASSERT_NE(team, nullptr);
  EXPECT_TRUE(team->isList);
  ASSERT_EQ(team->members.size(), 3u);
  EXPECT_EQ(book.Resolve(team->members[0]), rene);                  // by the member's card
  EXPECT_EQ(book.Resolve(team->members[1]), Named(book, "Claire Roux"));  // by its address
  EXPECT_EQ(book.Resolve(team->members[2]), nullptr);
  EXPECT_EQ(team->members[2].name, "Inconnu");
}

TEST(CardBook, DesktopExport40WithKindGroup) {
  CardBook book = BookOf(Export("desktop-export-4.0.vcf"));
  const Contact* ana = Named(book, "Ana Ortiz");
  ASSERT_NE(ana, nullptr);
  EXPECT_EQ(ana->faxes[tq::mapi::kPrimaryFax], "+34915550100");  // the URI's separators go
  EXPECT_EQ(ana->faxes[tq::mapi::kBusinessFax], "+34915550100");
  EXPECT_EQ(ana->id, tq::mapi::MakeEntryId(tq::mapi::EntryKind::Person, "4fbe8971-0bc3-424c-9c26-36c3e1eff6b1"));
  const Contact* sales = Named(book, "Ventes");
  ASSERT_TRUE(sales != nullptr && sales->isList);
  EXPECT_EQ(book.Resolve(sales->members[0]), ana);
  EXPECT_EQ(book.Resolve(sales->members[1]), nullptr);
}
