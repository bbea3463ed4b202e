#include <gtest/gtest.h>

#include "device_options.h"

namespace tq::kdwcif {
namespace {

SnmpValue Number(long long n) { return {SnmpValue::Kind::Integer, n, {}}; }
SnmpValue Text(const std::string& t) { return {SnmpValue::Kind::Text, 0, t}; }

TEST(DeviceOptions, FaxValuesAndTheirMasks) {
  OptionSources sources;
  sources.privateValues["FAXUnit"] = Number(1);
  sources.privateValues["FAXISDNG4Kit"] = Number(1);
  sources.privateValues["FAXMaxSpeedDial"] = Number(999);
  sources.privateValues["PrinterRomVersion"] = Text("2.01");
  const DeviceOptions options = BuildOptions(sources);
  EXPECT_EQ(options.mask & 0x8u, 0x8u);
  EXPECT_EQ(options.mask & 0x1000u, 0x1000u);
  EXPECT_EQ(options.numbers.at("FAXMaxSpeedDial"), 999);
  EXPECT_EQ(options.texts.at("PrinterRomVersion"), "2.01");
}

TEST(DeviceOptions, MissingOrWrongKindsGiveNoValueAndNoOption) {
  OptionSources sources;
  sources.privateValues["FAXUnit"] = Text("1");  // a text where a number belongs
  sources.privateValues["FAXMaxSpeedDial"] = SnmpValue{};
  sources.privateValues["FAXISDNG4Kit"] = Number(2);  // not a truth value
  const DeviceOptions options = BuildOptions(sources);
  EXPECT_EQ(options.mask & (0x8u | 0x1000u), 0u);
  EXPECT_EQ(options.numbers.count("FAXUnit"), 0u);
  EXPECT_EQ(options.numbers.count("FAXMaxSpeedDial"), 0u);
  EXPECT_EQ(options.numbers.count("MemorySizeInKByte"), 0u);
}

TEST(DeviceOptions, InstalledOptionsKeepOnlyTheirOwnBits) {
  OptionSources sources;
  sources.privateValues["installedOptions"] = Number(0x20 | 0x8 | 0x10 | 0x4000000);
  const DeviceOptions options = BuildOptions(sources);
  EXPECT_EQ(options.mask, 0x20u | 0x4000000u);  // fax and disk come from their own objects
}

TEST(DeviceOptions, TraysMemoryAndHostDevices) {
  OptionSources sources;
  sources.memoryKilobytes = Number(262144);
  sources.hostDeviceTypes = {"1.3.6.1.2.1.25.3.1.3", "1.3.6.1.2.1.25.3.1.6"};
  InputTray first;
  first.index = 1;
  first.type = Number(4);
  first.maxCapacity = Number(500);
  first.currentLevel = Number(125);
  first.name = Text("Bandeja 1");
  InputTray manual;
  manual.index = 2;
  manual.type = Number(5);
  manual.maxCapacity = Number(2000);
  sources.trays = {first, manual};
  const DeviceOptions options = BuildOptions(sources);
  EXPECT_EQ(options.numbers.at("MemorySizeInMByte"), 256);
  EXPECT_EQ(options.numbers.at("NumberOfInputTray"), 2);
  EXPECT_EQ(options.numbers.at("InputTrayIndex"), 1);
  EXPECT_EQ(options.numbers.at("InputTrayCurrentLevelInPercent"), 25);
  EXPECT_EQ(options.texts.at("InputTrayName"), "Bandeja 1");
  EXPECT_EQ(options.mask, 0x1u | 0x10u | 0x10000u | 0x20000u);  // not multi: only two trays
}

TEST(DeviceOptions, UnknownTrayLevelOrZeroCapacityGiveNoPercent) {
  OptionSources sources;
  InputTray tray;
  tray.maxCapacity = Number(0);
  tray.currentLevel = Number(10);
  sources.trays = {tray};
  EXPECT_EQ(BuildOptions(sources).numbers.count("InputTrayCurrentLevelInPercent"), 0u);
  sources.trays[0].maxCapacity = Number(100);
  sources.trays[0].currentLevel = Number(-2);
  EXPECT_EQ(BuildOptions(sources).numbers.count("InputTrayCurrentLevelInPercent"), 0u);
}

}  // namespace
}  // namespace tq::kdwcif
