#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "faxrender/fax_number.h"
#include "job_fixture.h"

namespace tq::render {
namespace {

using testing::Put;
using testing::Recipient;

std::string Param(const EntryRecord& record) {
  char buffer[kFaxNumParamSize];
  const int length = DoFaxNumParam(record, buffer, sizeof buffer);
  EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
  return buffer;
}


TEST(FaxNumParam, DialStringWithLettersNormalSend) {
  EXPECT_EQ(Param(Recipient("01-23-45-ABC")), "01-23-45-222{20}{30}\n");
  EXPECT_EQ(Param(Recipient("12ab")), "12ab{20}{30}\n");  // lower case is sent as it is
}

TEST(FaxNumParam, TransmissionModeCodes) {
  EntryRecord record = Recipient("5551234");
  record.transmissionMode = 1;
  EXPECT_EQ(Param(record), "5551234{20}{32}\n");
  record.transmissionMode = 2;
  EXPECT_EQ(Param(record), "5551234{20}{34}\n");
}

TEST(FaxNumParam, RelaySendToTerminalSevenWithTwoDestinations) {
  EntryRecord record = Recipient("0123");
  record.transmissionMode = 1;
  record.sendMode = '1';
  Put(record.relayTerminalId, "7");
  record.printOnRelay = '1';
  record.destinationCount = 2;
  std::memcpy(record.destinationIds, "012003", 6);
  EXPECT_EQ(Param(record), "0123{1" "0007" "1" "0012" "0003" "}{20}{32}\n");
}

TEST(FaxNumParam, RelayWithoutDestinations) {
  EntryRecord record = Recipient("0123");
  record.sendMode = '1';
  Put(record.relayTerminalId, "99");
  EXPECT_EQ(Param(record), "0123{100990}{20}{30}\n");
}

TEST(FaxNumParam, PrintAtRelayIsSentAsItStandsExceptANul) {
  EntryRecord record = Recipient("1");
  record.sendMode = '1';
  Put(record.relayTerminalId, "12");
  record.destinationCount = 1;
  std::memcpy(record.destinationIds, "005", 3);
  record.printOnRelay = '1';
  EXPECT_EQ(Param(record), "1{1001210005}{20}{30}\n");
  record.printOnRelay = '\0';
  EXPECT_EQ(Param(record), "1{1001200005}{20}{30}\n");
}

TEST(FaxNumParam, DamagedDestinationCountStaysWithinTheRecord) {
  EntryRecord record = Recipient("1");
  record.sendMode = '1';
  Put(record.relayTerminalId, "1");
  std::memset(record.destinationIds, '9', sizeof record.destinationIds);
  record.destinationCount = 1000;
  std::string expected = "1{100010";
  for (int i = 0; i < kMaxDestinations; ++i) expected += "0999";
  expected += "}{20}{30}\n";
  EXPECT_EQ(Param(record), expected);
  record.destinationCount = -5;
  EXPECT_EQ(Param(record), "1{100010}{20}{30}\n");
}

TEST(FaxNumParam, MailboxWithPassword) {
  EntryRecord record = Recipient("0123");
  record.sendMode = '4';
  Put(record.mailboxId, "5");
  Put(record.mailboxPassword, "1234");
  EXPECT_EQ(Param(record), "0123{20}{30}{400051234}\n");
}

TEST(FaxNumParam, MailboxWithoutPasswordAndEmptyMailbox) {
  EntryRecord record = Recipient("0123");
  record.sendMode = '4';
  Put(record.mailboxId, "200");
  EXPECT_EQ(Param(record), "0123{20}{30}{40200}\n");
  Put(record.mailboxId, "");
  Put(record.mailboxPassword, "1234");
  EXPECT_EQ(Param(record), "0123{20}{30}\n");
}

TEST(FaxNumParam, MailboxPasswordUsesAtMostFourCharacters) {
  EntryRecord record = Recipient("0");
  record.sendMode = '4';
  Put(record.mailboxId, "12");
  Put(record.mailboxPassword, "1234567");
  EXPECT_EQ(Param(record), "0{20}{30}{400121234}\n");
}

TEST(FaxNumParam, FCodeAndPasswordBlocks) {
  EntryRecord record = Recipient("0123");
  Put(record.fCode, "12345");
  Put(record.fCodePassword, "9876");
  EXPECT_EQ(Param(record), "0123{20}{30}{512345}{69876}\n");
  Put(record.fCode, "");
  EXPECT_EQ(Param(record), "0123{20}{30}{69876}\n");
}

TEST(FaxNumParam, SpeedDialIsTheNumberInApostrophesAndNothingElse) {
  EntryRecord record = Recipient("12");
  record.speedDialFlag = 1;
  record.sendMode = '4';
  Put(record.mailboxId, "5");
  Put(record.fCode, "777");
  EXPECT_EQ(Param(record), "'12'\n");
}

TEST(FaxNumParam, UnterminatedSlotsOfADamagedRecordAreReadOnlyToTheirEnd) {
  EntryRecord record;
  std::memset(&record, 'A', sizeof record);
  record.transmissionMode = 2;
  record.sendMode = '1';
  record.destinationCount = kMaxDestinations;
  record.speedDialFlag = 0;
  const std::string dial(kFaxNumberSize - 1, '2');
  const std::string relay = "{10AAAA" + [] {
    std::string ids;
    for (int i = 0; i < kMaxDestinations; ++i) ids += "0AAA";
    return ids;
  }() + "}";
  const std::string fCode = "{5" + std::string(kFCodeSize - 1, 'A') + "}";
  const std::string fPassword = "{6" + std::string(kFCodeSize - 1, 'A') + "}";
  const std::string expected = dial + relay + "{20}{34}" + fCode + fPassword + "\n";
  EXPECT_EQ(Param(record), expected);
  EXPECT_LT(expected.size(), kFaxNumParamSize);
}

}  // namespace
}  // namespace tq::render
