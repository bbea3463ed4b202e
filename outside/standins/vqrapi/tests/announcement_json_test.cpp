// The stand-in's decoding at its edges: texts are read only up to the end of
// their slot, and an older-format block shorter than its count says leaves
// the missing records out. Every field of both formats is checked through
// the plug-in's own monitor link tests.
#include <gtest/gtest.h>

#include <cstring>

#include "announcement_json.h"

namespace {

using namespace tq::monitor;

template <std::size_t N>
void Put(char (&slot)[N], const char* text) {
  std::strncpy(slot, text, N);
}

TEST(AnnouncementJson, TextFillingItsWholeSlotIsReadToTheSlotEnd) {
  Announcement a{};
  std::memset(a.destination.recipientSummary, 'x', sizeof a.destination.recipientSummary);
  const std::string json = tq::vqrapi::AnnouncementToJson(a);
  EXPECT_NE(json.find("\"recipientSummary\":\"" + std::string(32, 'x') + "\",\"numberSummary\":\"\""),
            std::string::npos);
}

std::vector<unsigned char> OldBlock(int count, int records) {
  std::vector<unsigned char> block(OldFormatSize(records), 0);
  OldHeader header{};
  header.count = count;
  header.value2 = 2;
  header.value11 = 11;
  Put(header.portName, "P");
  Put(header.printerName, "Q");
  header.firstRecord = 532;
  std::memcpy(block.data(), &header, sizeof header);
  for (int i = 0; i < records; ++i) {
    OldDestinationRecord record{};
    record.recordSize = 660;
    record.time = 5 + i;
    Put(record.jobId, "J");
    Put(record.recipientSummary, "Dupont and 2 others");
    Put(record.numberSummary, "0123 ...");
    std::memcpy(block.data() + sizeof header + i * sizeof record, &record, sizeof record);
  }
  return block;
}

TEST(AnnouncementJson, OlderFormatShorterThanItsCountOrItsHeader) {
  const auto block = OldBlock(3, 2);
  const std::string json = tq::vqrapi::OldFormatToJson(block.data(), block.size());
  EXPECT_NE(json.find("\"time\":6,"), std::string::npos) << json;
  EXPECT_EQ(json.find("\"time\":7,"), std::string::npos) << json;
  EXPECT_NE(json.find("}],\"truncated\":true}"), std::string::npos) << json;
  EXPECT_EQ(tq::vqrapi::OldFormatToJson(block.data(), 100), "{\"format\":\"older\",\"truncated\":true}");
}

}  // namespace
