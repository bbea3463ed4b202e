// qlhost monitor: registering the document monitor's client library.
#include <gtest/gtest.h>

#include "qlhost_fixture.h"

namespace tq::host::testing {
namespace {

using QlHostMonitor = QlHost;

TEST_F(QlHostMonitor, InstallShowRemove) {
  auto run = Run({"monitor", "show"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "monitor library: none\n");

  const std::string library = (root() / "VqrApi.so").string();
  tq::testing::WriteText(library, "stands for the library");
  run = Run({"monitor", "install", library});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Run({"monitor", "show"});
  EXPECT_EQ(run.out, "monitor library: " + library + "\n");

  run = Run({"monitor", "remove"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Run({"monitor", "show"}).out, "monitor library: none\n");
  EXPECT_EQ(Run({"monitor", "remove"}).status, 0) << "removing twice is no error";
}

TEST_F(QlHostMonitor, RefusesWhatThePlugInCouldNotUse) {
  auto run = Run({"monitor", "install", (root() / "absent.so").string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("absent.so is not a file"), std::string::npos) << run.err;

  const auto deep = root() / std::string(120, 'd');
  std::filesystem::create_directories(deep);
  tq::testing::WriteText(deep / "VqrApi.so", "x");
  run = Run({"monitor", "install", (deep / "VqrApi.so").string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("longer than the 127 bytes"), std::string::npos) << run.err;
  EXPECT_EQ(Run({"monitor", "show"}).out, "monitor library: none\n");

  EXPECT_EQ(Run({"monitor", "frobnicate"}).status, 2);
}

}  // namespace
}  // namespace tq::host::testing
