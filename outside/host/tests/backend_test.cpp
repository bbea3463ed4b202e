// The CUPS backend with a user's agent: the job goes through the fax prompt
// in the agent and on to the device; a cancelled prompt cancels the job, a
// missing or planted agent holds it.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "loopback_printer.h"
#include "qlhost_fixture.h"

extern char** environ;

namespace tq::host::testing {
namespace {

using tq::testing::WriteText;

constexpr int kBackendHold = 3;
constexpr int kBackendCancel = 5;

class Backend : public QlHost {
 protected:
  void SetUp() override {
    QlHost::SetUp();
    runtimeRoot_ = path("run").string();
    userFolder_ = runtimeRoot_ + "/" + std::to_string(getuid());
    std::filesystem::create_directories(userFolder_);
    chmod(userFolder_.c_str(), 0700);
    WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\npages");
  }
  void TearDown() override {
    if (agent_ > 0) {
      kill(agent_, SIGTERM);
      waitpid(agent_, nullptr, 0);
    }
    QlHost::TearDown();
  }

  // Starts `qlhost agent` with the face driven by `script`, and waits
  // (bounded) for its socket.
  void StartAgent(const std::string& script) {
    WriteText(path("script.txt"), script);
    std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + userFolder_, "TELEQUILL_ROOT=" + root().string()};
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = std::string(TELEQUILL_BIN_DIR) + "/qlhost";
    std::string face = "script:" + path("script.txt").string();
    std::vector<char*> argv = {program.data(), const_cast<char*>("agent"), const_cast<char*>("--ui"), face.data(),
                               nullptr};
    ASSERT_EQ(posix_spawn(&agent_, program.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
    for (int i = 0; i < 100 && !std::filesystem::exists(userFolder_ + "/telequill/agent.sock"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }

  tq::testing::RunResult RunBackend(const std::string& device, const std::string& options = "TelequillJob=Fax") {
    return tq::testing::RunProgram("telequill", {"7", UserName(), "Lettre \"urgente\"", "1", options,
                                                 path("doc.pxl").string()},
                                   {"DEVICE_URI=telequill:/" + device + "?model=n",
                                    "TELEQUILL_RUNTIME_ROOT=" + runtimeRoot_, "TELEQUILL_DEVICE_RETRY=1",
                                    "TELEQUILL_ROOT=" + root().string()});
  }

  static std::string UserName() {
    const char* user = std::getenv("USER");
    if (user != nullptr && *user != '\0') return user;
    return getuid() == 0 ? "root" : std::to_string(getuid());
  }

  std::string runtimeRoot_;
  std::string userFolder_;
  pid_t agent_ = -1;
};

TEST_F(Backend, AnsweredPromptSendsTheFaxJobToTheDevice) {
  StartAgent("dialog 101\ntype 1001 Dupont\ntype 1004 0145678900\nclick 1006\nclick 1\ndialog 108\nclick 801\n");
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto run = RunBackend(device.uri(), "TelequillJob=Fax TelequillResolution=Superfine");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string stream = device.Received();
  EXPECT_NE(stream.find("@PJL JOB NAME=\"Lettre _urgente_\"\r\n"), std::string::npos) << stream;
  EXPECT_NE(stream.find("@PJL TELQUL FAXNUM = "), std::string::npos) << stream;
  EXPECT_NE(stream.find("0145678900"), std::string::npos) << stream;
  EXPECT_NE(stream.find("@PJL TELQUL FAXRES = SUPERFINE\r\n"), std::string::npos) << stream;
  EXPECT_NE(stream.find("@PJL ENTER LANGUAGE=PCLXL\r\n) HP-PCL XL;2;0\r\npages"), std::string::npos) << stream;
}

TEST_F(Backend, CancelledPromptCancelsTheJobAndTheDeviceGetsNothing) {
  StartAgent("dialog 101\nclick 2\nbox ok\n");
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto run = RunBackend(device.uri());
  EXPECT_EQ(run.status, kBackendCancel) << run.err;
  EXPECT_NE(run.err.find("INFO: the user cancelled the fax job at its prompt"), std::string::npos) << run.err;
  EXPECT_EQ(device.Received(), "");
}

TEST_F(Backend, NoAgentHoldsTheJobSayingTheUserMustBeLoggedIn) {
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto run = RunBackend(device.uri());
  EXPECT_EQ(run.status, kBackendHold) << run.err;
  EXPECT_NE(run.err.find("ERROR: the fax job is held: " + UserName() + " must be logged in for the fax prompt"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(device.Received(), "");
}

TEST_F(Backend, SocketFolderOfAnotherUserIsRefused) {
  if (getuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
  StartAgent("dialog 101\nclick 2\nbox ok\n");
  ASSERT_EQ(chown((userFolder_ + "/telequill").c_str(), 65534, 65534), 0);
  const auto run = RunBackend("socket://127.0.0.1:9");
  EXPECT_EQ(run.status, kBackendHold) << run.err;
  EXPECT_NE(run.err.find("refused, not a private folder of user"), std::string::npos) << run.err;
  // A folder that others may enter is refused the same way.
  ASSERT_EQ(chown((userFolder_ + "/telequill").c_str(), getuid(), getgid()), 0);
  chmod((userFolder_ + "/telequill").c_str(), 0755);
  EXPECT_EQ(RunBackend("socket://127.0.0.1:9").status, kBackendHold);
}

}  // namespace
}  // namespace tq::host::testing
