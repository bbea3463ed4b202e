// qlautocfg as the host starts it: a host window titled with the parameter
// file's path (the ipc test peer), snmpd on loopback as the device, and an
// automation script for qlautocfg's own dialogs.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "testing/snmpd_agent.h"
#include "testing/temp_root.h"

extern char** environ;

namespace {

using tq::testing::DeviceConfig;
using tq::testing::SnmpdAgent;

constexpr char kTypeN[] = "1.3.6.1.4.1.32473.1.8";

// The question that follows every failure at the port, escaped for a script.
std::string AskSearch() {
  return "\\n¿Desea recuperar información de la configuración sobre otras impresoras TQ-N3500 de la red "
         "aunque no estén conectadas al puerto de impresora actual?";
}

class QlautocfgScenario : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    if (!SnmpdAgent::Available()) GTEST_SKIP() << "snmpd is not installed";
    port_ = tq::testing::FreeUdpPort();
  }
  void TearDown() override {
    if (host_ > 0) {
      kill(host_, SIGTERM);
      waitpid(host_, nullptr, 0);
    }
    TempRoot::TearDown();
  }
  void StartDevice(const std::string& address, const DeviceConfig& device) {
    const auto folder = path("agent-" + address);
    std::filesystem::create_directories(folder);
    std::string error;
    ASSERT_TRUE(agent_.Start(folder.string(), {address}, port_, tq::testing::SnmpdConfig(device), error)) << error;
  }
  // The host's window, bounded by its own script.
  void StartHost(const std::string& title) {
    tq::testing::WriteText(path("host.txt"), "wait-command 4321 60\n");
    const std::string face = "TELEQUILL_UI=script:" + path("host.txt").string();
    const std::string rootEntry = "TELEQUILL_ROOT=" + root().string();
    std::string program = std::string(TELEQUILL_BIN_DIR) + "/../tests/ipc_window_peer";
    std::vector<std::string> args = {program, "dialog", title};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back(face);
    env.push_back(rootEntry);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    ASSERT_EQ(posix_spawn(&host_, program.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  tq::testing::RunResult RunAutocfg(const std::string& parameterPath, const std::string& script,
                                    const std::string& timeoutMs = "20000") {
    tq::testing::WriteText(path("autocfg.txt"), script);
    return tq::testing::RunProgram("qlautocfg", {parameterPath},
                                   {"TELEQUILL_UI=script:" + path("autocfg.txt").string(),
                                    "TELEQUILL_TRANSCRIPT=" + path("transcript.txt").string(),
                                    "TELEQUILL_SNMP_PORT=" + std::to_string(port_),
                                    "TELEQUILL_AUTOCFG_TIMEOUT_MS=" + timeoutMs, "TELEQUILL_SNMP_WAIT_MS=8000"});
  }
  std::string Parameters(const std::string& port, const std::string& names) {
    const auto file = path("AC1.TMP");
    tq::testing::WriteText(file, port + "\nPSW112\n" + kTypeN + "\n" + names);
    StartHost(file.string());
    return file.string();
  }

  unsigned short port_ = 0;
  SnmpdAgent agent_;
  pid_t host_ = -1;
};

TEST_F(QlautocfgScenario, DeviceOfTheExpectedTypeAtThePortIsAnsweredWithOnlyTheWaitingDialogs) {
  StartDevice("127.0.0.2", {kTypeN, "FaxN"});
  const std::string file = Parameters(
      "IP_127.0.0.2", "PSWOptionTypeDevGenFax\nPSWOptionValueFAXMaxSpeedDial\nNoSuchName\nPSWOptionValueFAXUnit\n"
                      "\nPSWOptionTypeDevGenFax\n");
  const auto result = RunAutocfg(file, "");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(tq::testing::ReadText(path("AC1.DAT")), std::string("127.0.0.2\n1\x02" "200\x02" "1"));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(tq::testing::ReadText(path("transcript.txt")),
            "dialog 100 open \"Tkautocfg\"\n"
            "dialog 3006 open \"Buscando impresora\"\ndialog 3006 end 1\n"
            "dialog 1004 open \"Recuperación de información de impresora\"\ndialog 1004 end 1\n");
  int status = 0;
  waitpid(host_, &status, 0);
  host_ = -1;
  EXPECT_EQ(WEXITSTATUS(status), 7);  // the host window got WM_CLOSE
}

TEST_F(QlautocfgScenario, AnotherTypeAtThePortAsksAndNoEndsWithoutAnswer) {
  StartDevice("127.0.0.3", {"1.3.6.1.4.1.32473.1.99", "Other"});
  const std::string file = Parameters("IP_127.0.0.3", "PSWOptionTypeDevGenFax\n");
  const auto result = RunAutocfg(
      file, "wait-command 2001 30\nbox no \"El puerto de impresora actual no está conectado a una impresora "
            "TQ-N3500." + AskSearch() + "\"\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(std::filesystem::exists(path("AC1.DAT")));
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(QlautocfgScenario, SilentPortTimesOutThenTheBroadcastFieldsAreChecked) {
  tq::testing::SilentPort silent("127.0.0.4", port_);
  ASSERT_TRUE(silent.ok());
  const std::string file = Parameters("IP_127.0.0.4", "PSWOptionTypeDevGenFax\n");
  const auto start = std::chrono::steady_clock::now();
  // The device search would wait 8 s; the waiting dialog gives up first.
  const auto result = RunAutocfg(file,
                                 "wait-command 2001 30\n"
                                 "box yes \"Tiempo de espera." + AskSearch() + "\"\n"
                                 "dialog 3007\nclick 1004\nclick 1\n"
                                 "dialog 3004\nclick 1014\ntype 1015 256\nexpect-text 1015 25\n"
                                 "settext 1016 \"\"\nclick 1020\nbox ok \"Dirección de red no válida.\"\n"
                                 "click 2\n",
                                 "2500");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_GE(elapsed, std::chrono::milliseconds(2500));
  EXPECT_LT(elapsed, std::chrono::seconds(15));
  const std::string transcript = tq::testing::ReadText(path("transcript.txt"));
  EXPECT_NE(transcript.find("box question yesno \"Buscando impresora\" \"Tiempo de espera."), std::string::npos)
      << transcript;
  EXPECT_FALSE(std::filesystem::exists(path("AC1.DAT")));
}

}  // namespace
