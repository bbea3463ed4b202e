// The stand-in's decoding: every slot of both formats lands in its field,
// texts are read only up to the end of their slot, and an older-format block
// shorter than its count says leaves the missing records out.
#include <gtest/gtest.h>

#include <cstring>

#include "announcement_json.h"

namespace {

using namespace tq::monitor;

template <std::size_t N>
void Put(char (&slot)[N], const char* text) {
  std::strncpy(slot, text, N);
}

TEST(AnnouncementJson, ExtendedFormatFieldByField) {
  Announcement a{};
  a.header = {600, 1, 3, 11, {}, {}, {}, 600};
  Put(a.header.portName, "IP_10.0.0.5");
  Put(a.header.printerName, "Fax");
  Put(a.header.userName, "anne");
  a.destination.recordSize = 812;
  a.destination.kind = kKindPrint;
  a.destination.time = 1700000000;
  Put(a.destination.portName, "IP_10.0.0.5");
  Put(a.destination.jobId, "J0001");
  Put(a.destination.documentName, "Lettre \"A\"");
  a.destination.copies = 1;
  Put(a.destination.trayName, "Bac r\xE9" "cepteur central");  // ANSI é

  EXPECT_EQ(tq::vqrapi::AnnouncementToJson(a),
            "{\"format\":\"extended\",\"headerSize\":600,\"recordCount\":1,\"value8\":3,\"value12\":11,"
            "\"portName\":\"IP_10.0.0.5\",\"printerName\":\"Fax\",\"userName\":\"anne\",\"firstRecord\":600,"
            "\"destination\":{\"recordSize\":812,\"kind\":0,\"time\":1700000000,\"portName\":\"IP_10.0.0.5\","
            "\"jobId\":\"J0001\",\"documentName\":\"Lettre \\\"A\\\"\",\"recipientSummary\":\"\","
            "\"numberSummary\":\"\",\"copies\":1,\"value664\":0,\"text668\":\"\","
            "\"trayName\":\"Bac r\xC3\xA9" "cepteur central\"}}");
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

TEST(AnnouncementJson, OlderFormatFieldByField) {
  const auto block = OldBlock(1, 1);
  EXPECT_EQ(tq::vqrapi::OldFormatToJson(block.data(), block.size()),
            "{\"format\":\"older\",\"count\":1,\"value4\":2,\"value8\":11,\"portName\":\"P\",\"printerName\":\"Q\","
            "\"firstRecord\":532,\"destinations\":[{\"recordSize\":660,\"kindFlag\":0,\"time\":5,\"portName\":\"\","
            "\"jobId\":\"J\",\"documentName\":\"\",\"recipientSummary\":\"Dupont and 2 others\","
            "\"numberSummary\":\"0123 ...\"}],\"truncated\":false}");
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
