#include <gtest/gtest.h>

#include <cstring>

#include "common/addon_table.h"
#include "common/host_settings.h"
#include "common/store_result.h"

namespace tq {
namespace {

TEST(FaxJobSettings, DefaultsAreFineOnErrorWithHeaderAndNoRecipients) {
  EXPECT_EQ(DefaultFaxDS.jobMode, 0);
  EXPECT_EQ(DefaultFaxDS.resolution, kResFine);
  EXPECT_EQ(DefaultFaxDS.report, kReportOnError);
  EXPECT_EQ(DefaultFaxDS.header, 1);
  EXPECT_EQ(DefaultFaxDS.clientId[0], '\0');
  const auto* bytes = reinterpret_cast<const unsigned char*>(&DefaultFaxSS);
  for (size_t i = 0; i < sizeof DefaultFaxSS; ++i) ASSERT_EQ(bytes[i], 0) << "at " << i;
}

TEST(FaxJobSettings, FiftyRecipientsFillTheSendBlockExactly) {
  FaxSendBlock block{};
  block.recipients.count = kMaxRecipients;
  auto* last = reinterpret_cast<unsigned char*>(&block.recipients.records[kMaxRecipients - 1]);
  EXPECT_EQ(last + sizeof(EntryRecord), reinterpret_cast<unsigned char*>(&block) + 11816);
  EXPECT_EQ(reinterpret_cast<unsigned char*>(&block.recipients.records[0]) -
                reinterpret_cast<unsigned char*>(&block),
            16);
}

TEST(EntryRecordLayout, DefaultRecordIsZeroButTheTwoDigitFields) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&DefaultEntryRecord);
  for (size_t i = 0; i < sizeof(EntryRecord); ++i) {
    if (i == 68 || i == 83) {
      EXPECT_EQ(bytes[i], '0') << "at " << i;
    } else {
      ASSERT_EQ(bytes[i], 0) << "at " << i;
    }
  }
}

TEST(AddOnLookup, EmptyListOrListWithoutTheFaxAddOnFindsNothing) {
  DeviceObject device{};
  EXPECT_EQ(FindFaxAddOn(&device), nullptr);
  EXPECT_EQ(FindFaxAddOn(nullptr), nullptr);

  AddOnTable other = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  other.addOnId = 1387;
  device.addOnCount = 1;
  device.addOns[0].table = &other;
  EXPECT_EQ(FindFaxAddOn(&device), nullptr);

  // A damaged count never walks past the list.
  device.addOnCount = 1000;
  EXPECT_EQ(FindFaxAddOn(&device), nullptr);
}

TEST(AddOnLookup, FindsTheFirstFaxAddOnInListOrder) {
  AddOnTable other = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  other.addOnId = 7;
  const AddOnTable fax = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  DeviceObject device{};
  device.addOnCount = 3;
  device.addOns[0].table = &other;
  device.addOns[1].table = &fax;
  device.addOns[1].block3Offset = 4000;
  device.addOns[2].table = &fax;
  const AddOnControlBlock* found = FindFaxAddOn(&device);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->block3Offset, 4000);
}

TEST(HostSettings, AreasAreFoundThroughTheirOffsetFields) {
  unsigned char block[4096] = {};
  hsb::SetField(block, hsb::kPrivateAreaOffset, 2048);
  hsb::SetField(block, hsb::kJobStateOffset, 3000);
  WriteInt32(block, 2048 + hsb::priv::kG4Option, 1);
  WriteInt32(block, 3000 + hsb::jobstate::kSkipFaxFlow, 1);
  EXPECT_EQ(ReadInt32(hsb::PrivateArea(block), hsb::priv::kG4Option), 1);
  EXPECT_EQ(ReadInt32(hsb::JobStateArea(block), hsb::jobstate::kSkipFaxFlow), 1);
}

TEST(StoreResults, NamesFollowTheValues) {
  EXPECT_STREQ(StoreResultName(StoreResult::Ok), "Ok");
  EXPECT_STREQ(StoreResultName(StoreResult::Version1000), "Version1000");
  EXPECT_STREQ(StoreResultName(static_cast<StoreResult>(42)), "Unknown");
}

}  // namespace
}  // namespace tq
