#include <gtest/gtest.h>

#include "faxui/addon_lookup.h"

namespace tq::faxui {
namespace {

TEST(GetFaxAddonMCB, EmptyListOrNoFaxAddOnYieldsNothing) {
  DeviceObject device{};
  EXPECT_EQ(GetFaxAddonMCB(&device), nullptr);

  AddOnTable other = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  other.addOnId = 1389;
  device.addOnCount = 2;
  device.addOns[0].table = &other;
  device.addOns[1].table = nullptr;
  EXPECT_EQ(GetFaxAddonMCB(&device), nullptr);
}

TEST(GetAddOnBlock, AddsTheControlBlocksOffsets) {
  unsigned char settings[16384] = {};
  AddOnControlBlock mcb{};
  mcb.block1Offset = 3000;
  mcb.block2Offset = 3172;
  mcb.block3Offset = 3200;
  EXPECT_EQ(GetAddOnBlock(settings, &mcb, 1), settings + 3000);
  EXPECT_EQ(GetAddOnBlock(settings, &mcb, 2), settings + 3172);
  EXPECT_EQ(GetAddOnBlock(settings, &mcb, 3), settings + 3200);
  EXPECT_EQ(reinterpret_cast<unsigned char*>(GetFaxOptions(settings, &mcb)), settings + 3000);
  EXPECT_EQ(reinterpret_cast<unsigned char*>(GetFaxSend(settings, &mcb)), settings + 3200);

  EXPECT_EQ(GetAddOnBlock(settings, &mcb, 0), nullptr);
  EXPECT_EQ(GetAddOnBlock(settings, &mcb, 4), nullptr);
  EXPECT_EQ(GetAddOnBlock(settings, nullptr, 1), nullptr);
  EXPECT_EQ(GetAddOnBlock(nullptr, &mcb, 1), nullptr);
}

}  // namespace
}  // namespace tq::faxui
