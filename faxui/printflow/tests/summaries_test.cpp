// The recipient and number summaries told to the document monitor.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "printflow/summaries.h"

namespace {

tq::RecipientListBlock List(std::initializer_list<std::pair<const char*, const char*>> recipients) {
  tq::RecipientListBlock list{};
  for (const auto& [name, number] : recipients) {
    tq::EntryRecord& record = list.records[list.count++];
    record = tq::DefaultEntryRecord;
    std::strncpy(record.name, name, sizeof record.name - 1);
    std::strncpy(record.faxNumber, number, sizeof record.faxNumber - 1);
  }
  return list;
}

std::string Recipients(const tq::RecipientListBlock& list) {
  char text[32] = {};
  tq::faxui::RecipientSummary(list, text);
  return text;
}

std::string Numbers(const tq::RecipientListBlock& list) {
  char text[32] = {};
  tq::faxui::NumberSummary(list, text);
  return text;
}

TEST(RecipientSummary, FirstNameAndTheOthers) {
  EXPECT_EQ(Recipients(List({{"Dupont", "1"}, {"Martin", "2"}, {"Durand", "3"}})), "Dupont and 2 others");
  EXPECT_EQ(Recipients(List({{"Dupont", "1"}})), "Dupont");
}

TEST(RecipientSummary, NamelessFirstRecipient) {
  EXPECT_EQ(Recipients(List({{"", "1"}, {"Martin", "2"}})), "1er nom inconnu and 1 others");
  EXPECT_EQ(Recipients(List({{"", "1"}})), "Nom inconnu");
}

TEST(RecipientSummary, LongNameIsCutSoTheSuffixFits) {
  const std::string name(30, 'n');
  const std::string summary = Recipients(List({{name.c_str(), "1"}, {"b", "2"}}));
  EXPECT_EQ(summary, std::string(31 - 13, 'n') + " and 1 others");
  EXPECT_EQ(summary.size(), 31u);
  EXPECT_EQ(Recipients(List({{name.c_str(), "1"}})), name);
}

TEST(RecipientSummary, EmptyList) { EXPECT_EQ(Recipients(tq::RecipientListBlock{}), ""); }

TEST(NumberSummary, KeypadLettersAndTheMarkForSeveral) {
  EXPECT_EQ(Numbers(List({{"a", "0800FAX"}})), "0800329");
  EXPECT_EQ(Numbers(List({{"a", "0123"}, {"b", "4"}})), "0123 ...");
}

TEST(NumberSummary, ThirtyCharacterNumberIsCutTo27BeforeTheMark) {
  const std::string number = "012345678901234567890123456789";
  EXPECT_EQ(Numbers(List({{"a", number.c_str()}, {"b", "4"}})), number.substr(0, 27) + " ...");
  EXPECT_EQ(Numbers(List({{"a", number.c_str()}})), number);
}

TEST(NumberSummary, NumberFillingItsWholeSlot) {
  tq::RecipientListBlock list = List({{"a", ""}});
  std::memset(list.records[0].faxNumber, '7', sizeof list.records[0].faxNumber);  // no terminator
  EXPECT_EQ(Numbers(list), std::string(30, '7'));
}

}  // namespace
