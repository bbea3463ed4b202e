// qlhost autoconfigure against Debian's snmpd on loopback, configured from
// the examples, and the next fax job's recipient dialog.
#include <gtest/gtest.h>

#include "qlhost_fixture.h"
#include "testing/snmpd_agent.h"

namespace {

using tq::testing::SnmpdAgent;

class QlhostAutoconfigure : public tq::host::testing::QlHost {
 protected:
  void SetUp() override {
    QlHost::SetUp();
    if (!SnmpdAgent::Available()) GTEST_SKIP() << "snmpd is not installed";
    port_ = tq::testing::FreeUdpPort();
  }
  void StartDevice(const std::string& address, const std::string& example) {
    const auto folder = path("agent");
    std::filesystem::create_directories(folder);
    const std::string config = tq::testing::ReadText(TELEQUILL_SOURCE_DIR "/examples/snmpd/" + example);
    std::string error;
    ASSERT_TRUE(agent_.Start(folder.string(), {address}, port_, config, error)) << error;
  }
  tq::testing::RunResult Autoconfigure(const std::string& port, const std::string& script) {
    tq::testing::WriteText(path("autocfg.txt"), script);
    return Run({"autoconfigure", "--port", port, "--ui", "script:" + path("autocfg.txt").string()},
               {"TELEQUILL_SNMP_PORT=" + std::to_string(port_), "TELEQUILL_AUTOCFG_TIMEOUT_MS=20000"});
  }
  // A fax job whose recipient dialog is given speed-dial number 999.
  tq::testing::RunResult PrintWithSpeedDial999(const std::string& answer) {
    tq::testing::WriteText(path("fax.txt"), "dialog 101\nclick 1027\ntype 1004 999\nclick 1006\n" + answer +
                                                "type 1001 Ana\nclick 1027\ntype 1004 0145678900\nclick 1006\n"
                                                "click 1\ndialog 108\nclick 801\n");
    return Run({"print", "--output", path("job.prn").string(), "--ui", "script:" + path("fax.txt").string(),
                TELEQUILL_SOURCE_DIR "/examples/documents/lettre.pxl"});
  }

  unsigned short port_ = 0;
  SnmpdAgent agent_;
};

TEST_F(QlhostAutoconfigure, TheDeviceSetsTheSpeedDialRangeOfTheNextFaxJob) {
  StartDevice("127.0.0.5", "model-n-fax.conf");
  // Before: 999 is above the small range.
  auto job = PrintWithSpeedDial999("box ok \"Ce numéro de composition abrégée est supérieur à la limite.\"\n");
  ASSERT_EQ(job.status, 0) << job.err;
  EXPECT_EQ(tq::testing::ReadText(path("job.prn")).find("'999'"), std::string::npos);

  const auto run = Autoconfigure("IP_127.0.0.5", "");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("device: 127.0.0.5\n"), std::string::npos) << run.out;
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_NE(shown.find("fax-feature: 1\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("g4: 1\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("speed-dial-range: 999\n"), std::string::npos) << shown;

  job = PrintWithSpeedDial999("expect-lines 1008 \" <'999'>\"\n");
  ASSERT_EQ(job.status, 0) << job.err;
  EXPECT_NE(tq::testing::ReadText(path("job.prn")).find("'999'"), std::string::npos);
  // Nothing of the run is left in the private folder.
  for (const auto& entry : std::filesystem::directory_iterator(path("run"))) {
    EXPECT_EQ(entry.path().string().find("/AC"), std::string::npos) << entry.path();
  }
}

TEST_F(QlhostAutoconfigure, AnotherDeviceTypeDeclinedLeavesTheSettingsAlone) {
  StartDevice("127.0.0.6", "other-type.conf");
  const std::string before = Run({"settings", "show"}).out;
  // The script answers qlautocfg's question; the host's own window takes none of it.
  const auto run = Autoconfigure("IP_127.0.0.6", "wait-command 2001 30\nbox no\n");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("no device answered"), std::string::npos) << run.err;
  EXPECT_EQ(Run({"settings", "show"}).out, before);
}

TEST_F(QlhostAutoconfigure, BadOptionsAreRefusedBeforeAnythingRuns) {
  EXPECT_EQ(Run({"autoconfigure", "--model", "x"}).status, 2);
  EXPECT_EQ(Run({"autoconfigure", "--ui", "nothing"}).status, 2);
  EXPECT_EQ(Run({"autoconfigure", "extra"}).status, 2);
}

}  // namespace
