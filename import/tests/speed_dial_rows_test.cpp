#include "import/speed_dial_rows.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace tq::import;
using tq::EntryRecord;

TEST(SpeedDial, RelayTextGivesTerminalPrintFlagAndDestinationSlots) {
  EntryRecord record = tq::DefaultEntryRecord;
  EXPECT_TRUE(ApplyRelay("P12/5/#3/*/123", record));
  EXPECT_EQ(record.printOnRelay, '1');
  EXPECT_STREQ(record.relayTerminalId, "12");
  EXPECT_EQ(record.destinationCount, 4);
  EXPECT_EQ(std::string(record.destinationIds, 12), std::string("0050#300*12\0", 12));
}

TEST(SpeedDial, RelayWithoutDestinationsOrTerminalIsNotValid) {
  EntryRecord record = tq::DefaultEntryRecord;
  EXPECT_FALSE(ApplyRelay("12", record));
  EXPECT_EQ(record.destinationCount, 0);
  EXPECT_FALSE(ApplyRelay("ab/5", record));
  EXPECT_EQ(record.relayTerminalId[0], '\0');
  EXPECT_EQ(record.destinationCount, 1);
  EXPECT_FALSE(ApplyRelay("", record));
  EXPECT_EQ(record.printOnRelay, '0');
}

TEST(SpeedDial, DestinationTokensAreJudgedAfterTheirLeadingZeros) {
  EntryRecord record = tq::DefaultEntryRecord;
  // empty skipped; 000 accepted; #0 and #10 refused; ** and 1* accepted; x refused
  EXPECT_TRUE(ApplyRelay("1//000/#0/#10/**/1*/x", record));
  EXPECT_EQ(record.destinationCount, 3);
  EXPECT_EQ(std::string(record.destinationIds, 9), "0000**01*");
}

TEST(SpeedDial, AtMostTwentyDestinations) {
  std::string text = "1";
  for (int i = 0; i < 25; ++i) text += "/1";
  EntryRecord record = tq::DefaultEntryRecord;
  EXPECT_TRUE(ApplyRelay(text, record));
  EXPECT_EQ(record.destinationCount, 20);
  EXPECT_EQ(record.speedDialFlag, 0);
}

TEST(SpeedDial, DecodingTurnsLettersThenReadsBase64) {
  EXPECT_EQ(DecodeDeviceText("ZGV6ZmD="), "12:34");
  EXPECT_EQ(DecodeDeviceText("ExZkByOKBD=="), "FC1:PW9");
  EXPECT_EQ(DecodeDeviceText("ZGV6ZmD"), "");   // not a multiple of 4
  EXPECT_EQ(DecodeDeviceText("Z=V6"), "");      // padding inside
  EXPECT_EQ(DecodeDeviceText("ZG!6"), "");
}

TEST(SpeedDial, MailboxNeedsAnIdAndNoShortPassword) {
  EntryRecord record = tq::DefaultEntryRecord;
  EXPECT_FALSE(ApplyMailbox("ZGV6ZmD=", record));  // "12:34"
  EXPECT_STREQ(record.mailboxId, "12");
  EXPECT_TRUE(ApplyMailbox("ZGVmBwD1Awp=", record));  // "123:4567"
  EXPECT_STREQ(record.mailboxPassword, "4567");
  EXPECT_FALSE(ApplyMailbox("", record));
  EXPECT_EQ(record.mailboxId[0], '\0');
}

TEST(SpeedDial, TransmissionModes) {
  EXPECT_EQ(TransmissionModeIndex("3"), 1);
  EXPECT_EQ(TransmissionModeIndex("2x"), 1);
  EXPECT_EQ(TransmissionModeIndex("4"), 2);
  EXPECT_EQ(TransmissionModeIndex("1"), 0);
  EXPECT_EQ(TransmissionModeIndex("mode"), 0);
}

TEST(SpeedDial, SendModeFollowsWhichSettingIsValid) {
  SpeedDialEntry entry;
  entry.record = tq::DefaultEntryRecord;
  entry.relay = "1/1";
  EXPECT_EQ(CompleteRecord(entry).sendMode, '1');
  entry.mailbox = "ZGVmBwD1Awp=";
  EXPECT_EQ(CompleteRecord(entry).sendMode, '0');
  entry.relay = "";
  EXPECT_EQ(CompleteRecord(entry).sendMode, '4');
}

TEST(SpeedDial, HeaderNeedsTheMarkersWithBlanksOnlyAroundTheDigits) {
  using V = std::vector<std::string_view>;
  EXPECT_TRUE(IsSpeedDialHeader(V{"*", " 1 ", "0 ", " 1", "x"}));
  EXPECT_FALSE(IsSpeedDialHeader(V{" *", "1", "0", "1"}));
  EXPECT_FALSE(IsSpeedDialHeader(V{"*", "1", "0"}));
}

}  // namespace
