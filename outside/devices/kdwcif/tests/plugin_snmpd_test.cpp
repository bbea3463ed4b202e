// The library against Debian's snmpd on loopback.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "kdwcif/kdwcif.h"
#include "testing/snmpd_agent.h"
#include "testing/temp_root.h"

namespace {

using tq::testing::DeviceConfig;
using tq::testing::SnmpdAgent;

constexpr char kTypeN[] = "1.3.6.1.4.1.32473.1.1";
constexpr char kOtherType[] = "1.3.6.1.4.1.32473.1.99";

class PluginSnmpd : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    if (!SnmpdAgent::Available()) GTEST_SKIP() << "snmpd is not installed";
    port_ = tq::testing::FreeUdpPort();
    UseTransport(nullptr);
    ASSERT_EQ(PSWPluginInit("", "PSW112", &handle_), 0);
  }
  void TearDown() override {
    PSWPluginUnInit(handle_);
    KdwcifSetTransport({});
    TempRoot::TearDown();
  }
  void StartAgent(SnmpdAgent& agent, const std::string& address, const DeviceConfig& device) {
    const auto folder = path("agent-" + address);
    std::filesystem::create_directories(folder);
    std::string error;
    ASSERT_TRUE(agent.Start(folder.string(), {address}, port_, tq::testing::SnmpdConfig(device), error)) << error;
  }

  // The test's agents answer on their own port; a search waits 1.5 s.
  void UseTransport(const char* broadcastList) {
    KdwcifTransport transport;
    transport.port = port_;
    transport.broadcastList = broadcastList;
    transport.searchWaitMs = 1500;
    KdwcifSetTransport(transport);
  }

  unsigned short port_ = 0;
  PSWHANDLE handle_ = 0;
};

TEST_F(PluginSnmpd, FindsTheDeviceAtAnAddressAndReadsItsOptions) {
  SnmpdAgent agent;
  DeviceConfig device{kTypeN, "FaxN-1"};
  device.g4Kit = 1;
  device.maxSpeedDial = 999;
  StartAgent(agent, "127.0.0.2", device);

  std::uint32_t count = 0;
  ASSERT_EQ(PSWPluginFindDeviceSNMP(handle_, "127.0.0.2", 1, &count), 0);
  ASSERT_EQ(count & 0xFFFF, 1u);
  char address[kPswAddressSize], name[kPswTextSize], location[kPswTextSize], type[kPswTextSize];
  ASSERT_EQ(PSWPluginGetDeviceNext(handle_, address, name, location, type), 1);
  EXPECT_STREQ(address, "127.0.0.2");
  EXPECT_STREQ(name, "FaxN-1");
  EXPECT_STREQ(type, kTypeN);
  EXPECT_EQ(PSWPluginGetDeviceNext(handle_, address, name, location, type), 0);

  ASSERT_EQ(PSWPluginInitDevice(handle_, "127.0.0.2", kTypeN, 1), 0);
  EXPECT_EQ(PSWPluginRefreshSystemAttributes(handle_), 0);
  EXPECT_EQ(PSWPluginRefreshInternetSalutation(handle_), 0);
  ASSERT_EQ(PSWPluginRefreshOptions(handle_), 0);
  EXPECT_EQ(PSWPluginHasOption(handle_, 0x8), 1);
  EXPECT_EQ(PSWPluginHasOption(handle_, 0x1000), 1);
  EXPECT_EQ(PSWPluginHasOption(handle_, 0x20), 1);
  EXPECT_EQ(PSWPluginHasOption(handle_, 0x200), 0);
  EXPECT_EQ(PSWPluginHasOption(handle_, 0x10000), 1);  // the manual feeder
  std::int32_t speedDial = 0;
  EXPECT_EQ(PSWPluginGetOptionValueInteger(handle_, "FAXMaxSpeedDial", &speedDial), 0);
  EXPECT_EQ(speedDial, 999);
  std::int32_t trays = 0;
  EXPECT_EQ(PSWPluginGetOptionValueInteger(handle_, "NumberOfInputTray", &trays), 0);
  EXPECT_EQ(trays, 2);
  char text[kPswTextSize];
  EXPECT_EQ(PSWPluginGetOptionValueString(handle_, "InputTrayName", text), 0);
  EXPECT_STREQ(text, "Bandeja 1");
  EXPECT_NE(PSWPluginGetOptionValueString(handle_, "NoSuchValue", text), 0);
}

TEST_F(PluginSnmpd, FilterKeepsOnlyItsTypesAndEmulatedBroadcastReachesEveryAgent) {
  SnmpdAgent first, second;
  StartAgent(first, "127.0.0.3", {kTypeN, "FaxN-3"});
  StartAgent(second, "127.0.0.4", {kOtherType, "Other-4"});
  UseTransport("127.0.0.3,not-an-address,127.0.0.4,127.0.0.5");

  std::uint32_t count = 0;
  ASSERT_EQ(PSWPluginFindDeviceSNMP(handle_, "255.255.255.255", 1, &count), 0);
  EXPECT_EQ(count, 2u);

  ASSERT_EQ(PSWPluginFindAddFilter(handle_, kTypeN), 0);
  ASSERT_EQ(PSWPluginFindDeviceSNMP(handle_, "255.255.255.255", 1, &count), 0);
  ASSERT_EQ(count, 1u);
  char address[kPswAddressSize], name[kPswTextSize], location[kPswTextSize], type[kPswTextSize];
  ASSERT_EQ(PSWPluginGetDeviceNext(handle_, address, name, location, type), 1);
  EXPECT_STREQ(address, "127.0.0.3");

  ASSERT_EQ(PSWPluginFindClearFilter(handle_), 0);
  ASSERT_EQ(PSWPluginFindDeviceSNMP(handle_, "127.0.0.4", 1, &count), 0);
  EXPECT_EQ(count, 1u);
}

TEST_F(PluginSnmpd, SilenceIpxAndBadAddressesFindNothing) {
  tq::testing::SilentPort silent("127.0.0.6", port_);
  ASSERT_TRUE(silent.ok());
  std::uint32_t count = 7;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(PSWPluginFindDeviceSNMP(handle_, "127.0.0.6", 1, &count), 0);
  EXPECT_EQ(count, 0u);
  // A silent address is asked again until the whole search wait is over,
  // and no longer than that.
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(1500));
  EXPECT_LT(waited, std::chrono::seconds(5));

  EXPECT_EQ(PSWPluginFindDeviceSNMP(handle_, "00000000:ffffffffffff", 2, &count), kPswCommunication);
  EXPECT_EQ(PSWPluginFindDeviceSNMP(handle_, "10.0.0", 1, &count), kPswCommunication);
  EXPECT_NE(PSWPluginInitDevice(handle_, "127.0.0.6", kTypeN, 1), 0);
  EXPECT_EQ(PSWPluginHasOption(handle_, 0x8), 0);
  std::int32_t value = 0;
  EXPECT_NE(PSWPluginGetOptionValueInteger(handle_, "FAXMaxSpeedDial", &value), 0);
}

TEST_F(PluginSnmpd, HandlesAreCheckedAndVersionMustMatch) {
  PSWHANDLE other = 0;
  EXPECT_NE(PSWPluginInit("", "PSW100", &other), 0);
  std::uint32_t count = 0;
  EXPECT_EQ(PSWPluginFindDeviceSNMP(9999, "127.0.0.1", 1, &count), kPswBadHandle);
  EXPECT_EQ(PSWPluginHasOption(9999, 0x8), 0);
}

}  // namespace
