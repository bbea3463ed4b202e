#include <gtest/gtest.h>

#include <string>

#include "addreso/addreso.h"

namespace {

struct Case {
  const char* port;
  int result;
  const char* address;
};

TEST(GetAddressFromPort, PortNames) {
  const Case cases[] = {
      {"IP_10.0.0.5", kAddressTcpIp, "10.0.0.5"},
      {"socket://127.0.0.2:9100", kAddressTcpIp, "127.0.0.2"},
      {"socket://127.0.0.2", kAddressTcpIp, "127.0.0.2"},
      {"lpd://127.0.0.3/fax", kAddressTcpIp, "127.0.0.3"},
      {"ipp://127.0.0.4:631/printers/fax", kAddressTcpIp, "127.0.0.4"},
      {"socket://localhost:9100", kAddressTcpIp, "127.0.0.1"},
      {"IPX_0000abcd:00112233aabb", kAddressIpx, "0000abcd:00112233aabb"},
      {"IPX_0000abcd:0011", kAddressNotConfigurable, ""},
      {"IPX_0000abcz:00112233aabb", kAddressNotConfigurable, ""},
      {"LPT1:", kAddressNotConfigurable, ""},
      {"usb://printer", kAddressNotConfigurable, ""},
      {"", kAddressNotConfigurable, ""},
      {"socket://", kAddressNotConfigurable, ""},
      {"IP_", kAddressFailed, ""},
      {"socket://no-such-host.invalid:9100", kAddressFailed, ""},
  };
  for (const Case& c : cases) {
    char address[kAddressSize] = "junk";
    EXPECT_EQ(GetAddressFromPort(c.port, address), c.result) << c.port;
    EXPECT_STREQ(address, c.address) << c.port;
  }
}

TEST(GetAddressFromPort, NullArgumentsFail) {
  char address[kAddressSize];
  EXPECT_EQ(GetAddressFromPort(nullptr, address), kAddressFailed);
  EXPECT_EQ(GetAddressFromPort("IP_10.0.0.5", nullptr), kAddressFailed);
}

}  // namespace
