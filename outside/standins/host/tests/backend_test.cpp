// The CUPS backend with a user's agent: the job goes through the fax prompt
// in the agent and on to the device (a raw port or a print server's queue);
// a cancelled prompt cancels the job, a missing or planted agent holds it,
// and an agent that dies mid-job has the job tried again.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <thread>

#include "loopback_lpd.h"
#include "loopback_printer.h"
#include "qlhost_fixture.h"
#include "session_agent.h"

namespace tq::host::testing {
namespace {

using tq::testing::WriteText;

constexpr int kBackendHold = 3;
constexpr int kBackendCancel = 5;
constexpr int kBackendRetry = 6;
const std::string kAnswerPrompt =
    "dialog 101\ntype 1001 Dupont\ntype 1004 0145678900\nclick 1006\nclick 1\ndialog 108\nclick 801\n";

// An agent that takes a job and dies: after reading its request, having
// written `answer` (nothing, or the start of an answered stream).
class DyingAgent {
 public:
  DyingAgent(const std::string& folder, const std::string& answer) {
    mkdir(folder.c_str(), 0700);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (folder + "/agent.sock").c_str());
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    thread_ = std::thread([this, answer] {
      pollfd waiting{listener_, POLLIN, 0};
      if (poll(&waiting, 1, 20000) <= 0) return;
      const int connection = accept(listener_, nullptr, nullptr);
      std::string request;
      char buffer[4096];
      for (ssize_t got; request.find("\n\n") == std::string::npos &&
                        (got = read(connection, buffer, sizeof buffer)) > 0;) {
        request.append(buffer, static_cast<std::size_t>(got));
      }
      [[maybe_unused]] const ssize_t ignored = write(connection, answer.data(), answer.size());
      close(connection);
    });
  }
  ~DyingAgent() {
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    close(listener_);
  }

 private:
  int listener_ = -1;
  std::thread thread_;
};

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
  void StartAgent(const std::string& script) {
    WriteText(path("script.txt"), script);
    agent_ = std::make_unique<SessionAgent>(userFolder_, root().string());
    ASSERT_TRUE(agent_->Start(path("script.txt").string()));
  }

  // The document is the file argument, or standard input when `input` is given.
  tq::testing::RunResult RunBackend(const std::string& device, const std::string& options = "TelequillJob=Fax",
                                    const std::string& input = {}) {
    std::vector<std::string> args = {"7", UserName(), "Lettre \"urgente\"", "1", options};
    if (input.empty()) args.push_back(path("doc.pxl").string());
    return tq::testing::RunProgram("telequill", args,
                                   {"DEVICE_URI=telequill:/" + device + "?model=n",
                                    "TELEQUILL_RUNTIME_ROOT=" + runtimeRoot_, "TELEQUILL_DEVICE_RETRY=1",
                                    "TELEQUILL_ROOT=" + root().string()},
                                   input);
  }

  static std::string UserName() {
    const char* user = std::getenv("USER");
    if (user != nullptr && *user != '\0') return user;
    return getuid() == 0 ? "root" : std::to_string(getuid());
  }

  std::string runtimeRoot_;
  std::string userFolder_;
  std::unique_ptr<SessionAgent> agent_;
};

TEST_F(Backend, AnsweredPromptSendsTheFaxJobToTheDevice) {
  StartAgent(kAnswerPrompt);
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

TEST_F(Backend, DocumentOnStandardInputIsSpooledAndSent) {
  StartAgent(kAnswerPrompt);
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const std::string document = ") HP-PCL XL;2;0\r\n" + std::string(300000, 'p');
  const auto run = RunBackend(device.uri(), "TelequillJob=Fax", document);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string stream = device.Received();
  EXPECT_NE(stream.find("@PJL ENTER LANGUAGE=PCLXL\r\n" + document + "\x1B%-12345X"), std::string::npos);
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

TEST_F(Backend, AnsweredPromptSendsTheJobToAPrintServerQueue) {
  StartAgent(kAnswerPrompt);
  LoopbackLpd server("fax");
  const auto run = RunBackend(server.uri("fax"));
  EXPECT_EQ(run.status, 0) << run.err;
  const auto job = server.Job();
  EXPECT_TRUE(job.whole);
  EXPECT_EQ(job.queue, "fax");
  // The files are named after CUPS's job number (7) and this machine.
  EXPECT_EQ(job.dataName.substr(0, 6), "dfA007");
  EXPECT_EQ(job.controlName, "c" + job.dataName.substr(1));
  EXPECT_NE(job.control.find("\nP" + UserName() + "\n"), std::string::npos) << job.control;
  EXPECT_NE(job.control.find("\nJLettre \"urgente\"\n"), std::string::npos) << job.control;
  EXPECT_NE(job.control.find("\nl" + job.dataName + "\n"), std::string::npos) << job.control;
  EXPECT_NE(job.data.find("@PJL TELQUL FAXNUM = "), std::string::npos);
  EXPECT_NE(job.data.find("@PJL ENTER LANGUAGE=PCLXL\r\n) HP-PCL XL;2;0\r\npages"), std::string::npos);
}

TEST_F(Backend, PrintServerThatRefusesTheQueueHasTheJobTriedAgain) {
  StartAgent(kAnswerPrompt);
  LoopbackLpd server("fax");
  const auto run = RunBackend(server.uri("other"));
  EXPECT_EQ(run.status, kBackendRetry) << run.err;
  EXPECT_NE(run.err.find("ERROR: " + server.uri("other") + ": the print server refused the queue \"other\""),
            std::string::npos)
      << run.err;
  EXPECT_EQ(server.Job().data, "");
}

// CUPS keeps a job its backend answers with "retry": the document stays and
// nothing incomplete reaches the device.
TEST_F(Backend, AgentThatDiesMidJobHasTheJobTriedAgain) {
  const std::string document = tq::testing::ReadText(path("doc.pxl"));
  for (const std::string answer : {"", "done 100000\n\x1B%-12345X@PJL\r\n"}) {
    SCOPED_TRACE(answer.empty() ? "before answering" : "in the middle of the answered stream");
    DyingAgent agent(userFolder_ + "/telequill", answer);
    LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
    const auto run = RunBackend(device.uri());
    EXPECT_EQ(run.status, kBackendRetry) << run.err;
    EXPECT_NE(run.err.find("; the job will be tried again"), std::string::npos) << run.err;
    EXPECT_EQ(device.Received(), "");
    EXPECT_EQ(tq::testing::ReadText(path("doc.pxl")), document);
    std::filesystem::remove_all(userFolder_ + "/telequill");
  }
}

}  // namespace
}  // namespace tq::host::testing
