// qlautocfg as the host starts it: a host window titled with the parameter
// file's path (the ipc test peer), snmpd on loopback as the device, and an
// automation script for qlautocfg's own dialogs.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "testing/snmpd_agent.h"
#include "testing/temp_root.h"
#include "win/registry.h"

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
  // A link where an answer's temporary once was: the answer never goes
  // through it into another file.
  tq::testing::WriteText(path("other.txt"), "kept");
  std::filesystem::create_symlink(path("other.txt"), path("AC1.DAT.new"));
  const auto result = RunAutocfg(file, "");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(tq::testing::ReadText(path("AC1.DAT")), std::string("127.0.0.2\n1\x02" "200\x02" "1"));
  EXPECT_EQ(std::filesystem::status(path("AC1.DAT")).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(tq::testing::ReadText(path("other.txt")), "kept");
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
                                 "dialog 3007\nkey 1004 f1\nclick 1004\nclick 1\n"
                                 "dialog 3004\nkey 1014 f1\nclick 1014\ntype 1015 256\nexpect-text 1015 25\n"
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
  // F1 opens each search dialog's topic, which the help file has, with text.
  const std::string help = "qlautocfg.HLP";  // the transcript names it without its folder
  const std::string html = tq::testing::ReadText(std::string(TELEQUILL_BIN_DIR) + "/qlautocfg.html");
  for (int context : {3007, 3004}) {
    EXPECT_NE(transcript.find("help \"" + help + "\" context " + std::to_string(context) + "\n"), std::string::npos)
        << transcript;
  }
  for (int context : {3007, 3004, 3005}) {
    const std::size_t topic = html.find("<h2 id=\"context-" + std::to_string(context) + "\">");
    ASSERT_NE(topic, std::string::npos) << context;
    EXPECT_LT(html.find("<p>", topic), html.find("<h2", topic + 1)) << context << " has no text";
  }
}

TEST_F(QlautocfgScenario, ShiftAndCtrlAcceptAnyDeviceFoundByAddress) {
  StartDevice("127.0.0.3", {"1.3.6.1.4.1.32473.1.99", "Other"});
  const std::string file = Parameters("IP_127.0.0.3", "PSWOptionTypeDevGenFax\nPSWOptionValueFAXMaxSpeedDial\n");
  const auto result = RunAutocfg(file,
                                 "wait-command 2001 30\nbox yes\n"
                                 "dialog 3007\nclick 1006\nclick 1\n"
                                 "dialog 3005\ntype 1002 127\ntype 1003 0\ntype 1004 0\ntype 1005 3\n"
                                 "hold shift ctrl\nclick 1\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(tq::testing::ReadText(path("AC1.DAT")), std::string("127.0.0.3\n1\x02" "200\x02"));
  const std::string transcript = tq::testing::ReadText(path("transcript.txt"));
  EXPECT_NE(transcript.find("dialog 3005 open \"Buscando impresora por dirección de red\"\n"
                            "dialog 3006 open \"Buscando impresora\"\ndialog 3006 end 1\n"
                            "dialog 1004 open \"Recuperación de información de impresora\"\ndialog 1004 end 1\n"
                            "dialog 3005 end 1\n"),
            std::string::npos)
      << transcript;
}

TEST_F(QlautocfgScenario, CancelWhileWaitingEndsTheRunAtOnce) {
  tq::testing::SilentPort silent("127.0.0.4", port_);
  ASSERT_TRUE(silent.ok());
  const std::string file = Parameters("IP_127.0.0.4", "PSWOptionTypeDevGenFax\n");
  const auto start = std::chrono::steady_clock::now();
  // The worker is still asking the silent address: it is left behind.
  const auto result = RunAutocfg(file, "dialog 3006\nclick 2\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
  EXPECT_EQ(tq::testing::ReadText(path("transcript.txt")),
            "dialog 100 open \"Tkautocfg\"\ndialog 3006 open \"Buscando impresora\"\ndialog 3006 end 2\n");
  EXPECT_FALSE(std::filesystem::exists(path("AC1.DAT")));
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(QlautocfgScenario, AnAnswerFileThatCannotBeWrittenIsReported) {
  StartDevice("127.0.0.2", {kTypeN, "FaxN"});
  std::filesystem::create_directories(path("AC1.DAT"));  // the answer cannot take its place
  const std::string file = Parameters("IP_127.0.0.2", "PSWOptionTypeDevGenFax\n");
  // A script cannot name a box that follows the waiting dialogs, so the run
  // stops at the box, which the failure names.
  const auto result = RunAutocfg(file, "");
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.err.find("the script ended before the message box \"Autoconfiguración\" "
                            "\"Error inesperado.\\nNo se puede realizar la autoconfiguración.\""),
            std::string::npos)
      << result.err;
  EXPECT_TRUE(std::filesystem::is_directory(path("AC1.DAT")));
  EXPECT_FALSE(std::filesystem::exists(path("AC1.DAT.new")));
  EXPECT_TRUE(std::filesystem::exists(file));  // the parameter file is not lost
}

// Without a parameter file the names go under a key that must already exist.
TEST_F(QlautocfgScenario, EmptyCommandLineRecordsTheNamesUnderAnExistingKeyOnly) {
  constexpr char kKey[] = "System\\CurrentControlSet\\Control\\ComputerName\\COmputerName";
  auto empty = tq::testing::RunProgram("qlautocfg", {}, {"TELEQUILL_UI=headless"});
  EXPECT_EQ(empty.status, 0) << empty.err;
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);

  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  empty = tq::testing::RunProgram("qlautocfg", {}, {"TELEQUILL_UI=headless"});
  EXPECT_EQ(empty.status, 0) << empty.err;
  for (const char* sub : {"ForTKPCLDrv", "ForTKPCLDrv1"}) {
    const std::string name = std::string(kKey) + "\\" + sub;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS) << sub;
    char value[300] = {};
    DWORD size = sizeof value, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_GT(std::strlen(value), 0u) << sub;
    RegCloseKey(key);
  }
}

}  // namespace
