// qlhost autoconfigure against Debian's snmpd on loopback, configured from
// the examples, and the next fax job's recipient dialog.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "qlhost_fixture.h"
#include "testing/processes.h"
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

// What the device says goes into the settings as they are when it answers:
// a change made while qlautocfg runs (here, once the parameter file is
// being written) is kept.
TEST_F(QlhostAutoconfigure, ASettingChangedWhileItRunsIsKept) {
  StartDevice("127.0.0.5", "model-n-fax.conf");
  std::vector<std::string> env = tq::host::testing::RenamesDelayed(1500);
  env.push_back("TELEQUILL_SNMP_PORT=" + std::to_string(port_));
  tq::testing::RunResult run;
  tq::testing::WriteText(path("autocfg.txt"), "");
  std::thread autoconfigure(
      [&] { run = Run({"autoconfigure", "--port", "IP_127.0.0.5", "--ui", "script:" + path("autocfg.txt").string()}, env); });
  ASSERT_TRUE(tq::host::testing::WaitForFileNamed(path("run"), ".TMP.tmp-"));
  const auto set = Run({"settings", "set", "copies=4"});
  autoconfigure.join();
  ASSERT_EQ(set.status, 0) << set.err;
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_NE(shown.find("copies: 4\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("speed-dial-range: 999\n"), std::string::npos) << shown;
}

// As the README shows it: no display, no face named, no script. The device
// found at the port needs no dialog but the waiting ones, which end by
// themselves.
TEST_F(QlhostAutoconfigure, TheReadmeExampleRunsWithoutADisplay) {
  StartDevice("127.0.0.5", "model-n-fax.conf");
  // The run inherits the test's environment, without any of these.
  std::vector<std::pair<std::string, std::string>> removed;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TELEQUILL_UI", "TELEQUILL_SCRIPT",
                           "TELEQUILL_CHILD_UI", "TELEQUILL_CHILD_SCRIPT"}) {
    if (const char* value = std::getenv(name)) removed.emplace_back(name, value);
    unsetenv(name);
  }
  const auto run = Run({"autoconfigure", "--port", "IP_127.0.0.5"}, {"TELEQUILL_SNMP_PORT=" + std::to_string(port_)});
  for (const auto& [name, value] : removed) setenv(name.c_str(), value.c_str(), 1);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("device: 127.0.0.5\n"), std::string::npos) << run.out;
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_NE(shown.find("speed-dial-range: 999\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("g4: 1\n"), std::string::npos) << shown;
}

TEST_F(QlhostAutoconfigure, AnotherDeviceTypeDeclinedLeavesTheSettingsAlone) {
  StartDevice("127.0.0.6", "other-type.conf");
  const std::string before = Run({"settings", "show"}).out;
  // The script answers qlautocfg's question; the host's own window takes none of it.
  const auto run = Autoconfigure("IP_127.0.0.6", "wait-command 2001 30\nbox no\n");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("qlautocfg: another device type answered at 127.0.0.6 ("), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("qlhost: qlautocfg gave no answer; the settings are unchanged"), std::string::npos)
      << run.err;
  EXPECT_EQ(Run({"settings", "show"}).out, before);
}

TEST_F(QlhostAutoconfigure, BadOptionsAreRefusedBeforeAnythingRuns) {
  EXPECT_EQ(Run({"autoconfigure", "--model", "x"}).status, 2);
  EXPECT_EQ(Run({"autoconfigure", "--ui", "nothing"}).status, 2);
  EXPECT_EQ(Run({"autoconfigure", "extra"}).status, 2);
}

// qlautocfg never outlives the host that started it: while it waits for a
// device that does not answer, killing the host takes it along within a
// second.
using QlHostAndAutocfg = tq::host::testing::QlHost;

TEST_F(QlHostAndAutocfg, QlautocfgEndsWithTheHostThatStartedIt) {
  // A port on loopback that takes SNMP requests and never answers.
  const unsigned short port = tq::testing::FreeUdpPort();
  const int silent = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(0x7F000009);  // 127.0.0.9
  ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const pid_t host = tq::testing::StartProgram(
      "qlhost", {"autoconfigure", "--port", "IP_127.0.0.9", "--ui", "headless"},
      {"TELEQUILL_SNMP_PORT=" + std::to_string(port), "TELEQUILL_AUTOCFG_TIMEOUT_MS=20000"});
  ASSERT_GT(host, 0);
  const auto autocfg = tq::testing::WaitForChild(host, "qlautocfg", std::chrono::seconds(20));
  kill(host, SIGKILL);
  waitpid(host, nullptr, 0);
  close(silent);
  ASSERT_TRUE(autocfg.has_value()) << "qlautocfg did not start";
  EXPECT_TRUE(tq::testing::WaitUntilEnded(*autocfg, std::chrono::seconds(1)));
  kill(*autocfg, SIGKILL);  // whatever happened, nothing is left running
}

}  // namespace
