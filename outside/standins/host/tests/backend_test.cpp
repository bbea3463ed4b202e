// The CUPS backend with a user's agent: the job goes through the fax prompt
// in the agent and on to the device (a raw port or a print server's queue);
// a cancelled prompt cancels the job, a missing or planted agent holds it,
// and an agent that dies mid-job has the job tried again.
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "loopback_lpd.h"
#include "loopback_printer.h"
#include "private_session_bus.h"
#include "qlhost_fixture.h"
#include "session_agent.h"
#include "testing/processes.h"

extern char** environ;

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

// An agent socket that keeps whatever reaches it, and answers nothing.
class RecordingAgent {
 public:
  explicit RecordingAgent(const std::string& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socketPath.c_str());
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
    thread_ = std::thread([this] {
      pollfd waiting{listener_, POLLIN, 0};
      if (poll(&waiting, 1, 30000) <= 0 || (waiting.revents & POLLIN) == 0) return;
      const int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0) return;
      char buffer[4096];
      pollfd data{connection, POLLIN, 0};
      for (ssize_t got; poll(&data, 1, 2000) > 0 && (got = read(connection, buffer, sizeof buffer)) > 0;) {
        received_.append(buffer, static_cast<std::size_t>(got));
      }
      close(connection);
    });
  }
  // What reached it; ends the listening.
  std::string Received() {
    if (thread_.joinable()) {
      shutdown(listener_, SHUT_RDWR);
      thread_.join();
    }
    return received_;
  }
  ~RecordingAgent() {
    Received();
    close(listener_);
  }

 private:
  int listener_ = -1;
  std::thread thread_;
  std::string received_;
};

// A system user of the test's own, removed with it; needs root.
class ThrowawayUser {
 public:
  ThrowawayUser() : name_("tqtest" + std::to_string(getpid())) {
    const std::string add = "useradd --system --no-create-home --shell /usr/sbin/nologin " + name_ + " 2>/dev/null";
    if (std::system(add.c_str()) != 0) return;
    if (const passwd* account = getpwnam(name_.c_str())) uid_ = account->pw_uid;
  }
  ~ThrowawayUser() {
    if (uid_ != 0) [[maybe_unused]] int ignored = std::system(("userdel " + name_ + " 2>/dev/null").c_str());
  }
  bool made() const { return uid_ != 0; }
  const std::string& name() const { return name_; }
  uid_t uid() const { return uid_; }

 private:
  std::string name_;
  uid_t uid_ = 0;
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
  void StartAgent(const std::string& script, const std::string& sessionBus = {}) {
    WriteText(path("script.txt"), script);
    agent_ = std::make_unique<SessionAgent>(userFolder_, root().string());
    agent_->SetSessionBus(sessionBus);
    ASSERT_TRUE(agent_->Start(path("script.txt").string()));
  }

  // The document is the file argument, or standard input when `input` is given.
  tq::testing::RunResult RunBackend(const std::string& device, const std::string& options = "TelequillJob=Fax",
                                    const std::string& input = {}, const std::vector<std::string>& env = {}) {
    return RunBackendFor(UserName(), device, {"Lettre \"urgente\"", options, path("doc.pxl").string()}, input, env);
  }
  // The job of `user` with its title, options and file (none: standard input).
  tq::testing::RunResult RunBackendFor(const std::string& user, const std::string& device,
                                       const std::vector<std::string>& titleOptionsFile, const std::string& input = {},
                                       std::vector<std::string> env = {}) {
    std::vector<std::string> args = {"7", user, titleOptionsFile[0], "1", titleOptionsFile[1]};
    if (input.empty()) args.push_back(titleOptionsFile[2]);
    env.insert(env.end(), {"DEVICE_URI=telequill:/" + device + "?model=n", "TELEQUILL_RUNTIME_ROOT=" + runtimeRoot_,
                           "TELEQUILL_DEVICE_RETRY=1", "TELEQUILL_ROOT=" + root().string()});
    return tq::testing::RunProgram("telequill", args, env, input);
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

// The agent tells the user on the desktop what became of each job: handed
// to the device (its recipients counted), refused with the reason, or not
// taken by the device and to be tried again.
TEST_F(Backend, TheAgentShowsEachJobsOutcomeAsADesktopNotification) {
#ifdef TELEQUILL_NO_DESKTOP_NOTICES
  GTEST_SKIP() << "built without Qt's D-Bus module: the agent shows no notices";
#endif
  const PrivateSessionBus bus(path("").string());
  ASSERT_TRUE(bus.running()) << "dbus-daemon and dbus-monitor are needed";
  StartAgent(kAnswerPrompt, bus.address());
  constexpr auto kWait = std::chrono::seconds(20);
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const std::string doc = path("doc.pxl").string();

  auto run = RunBackendFor(UserName(), device.uri(), {"Lettre", "TelequillJob=Fax", doc});
  EXPECT_EQ(run.status, 0) << run.err;
  std::string notices = bus.Notifications("Lettre \u00bb transmise au p\u00e9riph\u00e9rique : 1 destinataire\"", kWait);
  EXPECT_NE(notices.find("string \"printer\""), std::string::npos) << notices;

  run = RunBackendFor(UserName(), device.uri(), {"Rapport", "fax-to=0145678900;0145678901;#12", doc});
  EXPECT_EQ(run.status, 0) << run.err;
  notices = bus.Notifications(
      "string \"T\u00e9l\u00e9copie \u00ab Rapport \u00bb transmise au p\u00e9riph\u00e9rique : 3 destinataires\"", kWait);
  EXPECT_NE(notices, "");

  run = RunBackendFor(UserName(), device.uri(), {"Refus", "fax-to=#999", doc});
  EXPECT_EQ(run.status, kBackendCancel) << run.err;
  notices = bus.Notifications("Refus \u00bb non transmise\"\n   string \"\"#999\": not a speed-dial number", kWait);
  EXPECT_NE(notices, "") << bus.Notifications("", kWait);

  LoopbackPrinter hangingUp(LoopbackPrinter::Mode::HangUp);
  run = RunBackendFor(UserName(), hangingUp.uri(), {"Coupure", "fax-to=0145678900", doc});
  EXPECT_EQ(run.status, kBackendRetry) << run.err;
  notices = bus.Notifications("Coupure \u00bb en attente\"", kWait);
  EXPECT_NE(notices.find("; the job will be tried again\""), std::string::npos) << notices;
  EXPECT_EQ(device.Received().size() > 0, true);
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
  std::filesystem::remove_all(userFolder_);  // no session of the user
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto run = RunBackend(device.uri());
  EXPECT_EQ(run.status, kBackendHold) << run.err;
  EXPECT_NE(run.err.find("ERROR: the fax job is held: " + UserName() + " must be logged in for the fax prompt"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(device.Received(), "");
}

TEST_F(Backend, RecipientsGivenWithTheJobAreSentWithoutThePrompt) {
  // The agent's script would cancel a prompt: none is shown.
  StartAgent("dialog 101\nclick 2\nbox ok\n");
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  auto run = RunBackend(device.uri(), "TelequillJob=Print fax-to=Dupont\\ \\<0145678900\\>;#12 fax-delay=18:30");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("waiting for"), std::string::npos) << run.err;
  std::string stream = device.Received();
  EXPECT_NE(stream.find("@PJL TELQUL FAXNUM = 0145678900{20}{30}\n@PJL TELQUL FAXNUM = '012'\n"),
            std::string::npos) << stream;
  EXPECT_NE(stream.find("@PJL TELQUL DELAYSEND = 18:30"), std::string::npos) << stream;

  // phone= is a list of one, quoted the way CUPS may quote it.
  LoopbackPrinter second(LoopbackPrinter::Mode::ReadAll);
  run = RunBackend(second.uri(), "phone='01 45'");
  EXPECT_EQ(run.status, kBackendCancel) << "a blank is no part of a fax number";
  EXPECT_NE(run.err.find("ERROR: the fax job was refused, nothing was sent: \"01 45\": not a fax number"),
            std::string::npos) << run.err;
  run = RunBackend(second.uri(), "phone=0145");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(second.Received().find("@PJL TELQUL FAXNUM = 0145{20}{30}"), std::string::npos);

  // Refusals cancel the job (the queue goes on) and name what is at fault.
  LoopbackPrinter untouched(LoopbackPrinter::Mode::ReadAll);
  const std::pair<std::string, std::string> refused[] = {
      {"fax-to=#999", "\"#999\": not a speed-dial number of the device (1-200)"},
      {"fax-to=Inconnu", "\"Inconnu\": not a fax number, and no entry of the phonebook"},
      {"fax-to=" + std::string(5000, '1'), "fax-to: the value is longer than 4096 bytes"},
      {"fax-to=0123 phone=0456", "phone: give the recipients with fax-to or phone, not both"},
      {"fax-delay=18:30", "fax-delay: a delayed send needs its recipients"},
      {"fax-to=0123 fax-delay=18h30", "fax-delay: \"18h30\" is not a time HH:MM"},
  };
  for (const auto& [options, message] : refused) {
    run = RunBackend(untouched.uri(), options);
    EXPECT_EQ(run.status, kBackendCancel) << options;
    EXPECT_NE(run.err.find(message), std::string::npos) << options << "\n" << run.err;
  }
  EXPECT_EQ(untouched.Received(), "");
}

TEST_F(Backend, WithoutTheAgentGivenRecipientsAreResolvedAsTheUserAndPromptsWait) {
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  tq::testing::WriteText(path("queue.ppd"), "*PPD-Adobe: \"4.3\"\n*TelequillHost: \"" +
                                                std::string(TELEQUILL_BIN_DIR) + "/qlhost\"\n");
  const std::string ppd = "PPD=" + path("queue.ppd").string();
  std::filesystem::copy_file(TELEQUILL_SOURCE_DIR "/examples/phonebooks/bureau.AFD", path("DEFAULT.AFD"));
  // The document on standard input, as CUPS hands it without a file.
  auto run = RunBackend(device.uri(), "fax-to=[Comptabilit\xC3\xA9]", ") HP-PCL XL;2;0\r\nstdin", {ppd});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string stream = device.Received();
  EXPECT_NE(stream.find("@PJL TELQUL FAXNUM = 0561998877"), std::string::npos) << stream;
  EXPECT_NE(stream.find("@PJL ENTER LANGUAGE=PCLXL\r\n) HP-PCL XL;2;0\r\nstdin"), std::string::npos);
  run = RunBackend(device.uri(), "fax-to=[Direction]", {}, {ppd});
  EXPECT_EQ(run.status, kBackendCancel) << run.err;
  EXPECT_NE(run.err.find("\"[Direction]\": no such group"), std::string::npos) << run.err;

  // A job for the prompt waits, and says why: a session without its agent
  // is told apart from no session at all.
  run = RunBackend(device.uri(), "TelequillJob=Fax", {}, {ppd});
  EXPECT_EQ(run.status, kBackendHold);
  EXPECT_NE(run.err.find("is logged in but the fax agent is not running; start it with"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("lp -i 7 -H resume"), std::string::npos) << run.err;
  std::filesystem::remove_all(userFolder_);
  run = RunBackend(device.uri(), "TelequillJob=Fax", {}, {ppd});
  EXPECT_EQ(run.status, kBackendHold);
  EXPECT_NE(run.err.find("must be logged in for the fax prompt"), std::string::npos) << run.err;
}

// Run by root for another user, the job reads that user's phonebook with
// that user's rights: a phonebook only root could read is not read.
TEST_F(Backend, GivenRecipientsAreResolvedWithTheUsersOwnRights) {
  if (getuid() != 0) GTEST_SKIP() << "acting as another user needs root";
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user nobody";
  const std::string home = path("nobody").string();
  std::filesystem::create_directories(home);
  std::filesystem::copy_file(TELEQUILL_SOURCE_DIR "/examples/phonebooks/bureau.AFD", home + "/DEFAULT.AFD");
  chmod(root().c_str(), 0755);
  chmod((home + "/DEFAULT.AFD").c_str(), 0600);
  ASSERT_EQ(chown(home.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  tq::testing::WriteText(path("queue.ppd"), "*TelequillHost: \"" + std::string(TELEQUILL_BIN_DIR) + "/qlhost\"\n");
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto run = [&] {
    return tq::testing::RunProgram(
        "telequill", {"8", "nobody", "Lettre", "1", "fax-to=Cabinet\\ Lemoine", path("doc.pxl").string()},
        {"DEVICE_URI=telequill:/" + device.uri() + "?model=n", "TELEQUILL_RUNTIME_ROOT=" + runtimeRoot_,
         "TELEQUILL_ROOT=" + home, "PPD=" + path("queue.ppd").string()});
  };
  auto result = run();
  EXPECT_EQ(result.status, kBackendCancel) << result.err;
  EXPECT_NE(result.err.find("cannot be read"), std::string::npos) << result.err;
  ASSERT_EQ(chown((home + "/DEFAULT.AFD").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  result = run();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(device.Received().find("@PJL TELQUL FAXNUM = 0561998877"), std::string::npos);
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

// The print run of a job never outlives the agent that started it: killed
// while its prompt waits, the agent takes it along, and the job is tried
// again.
TEST_F(Backend, AKilledAgentTakesItsPromptAlong) {
  StartAgent("dialog 101\nwait-command 9999 60\n");
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  tq::testing::RunResult run;
  std::thread backend([&] { run = RunBackend(device.uri()); });
  const auto agent = tq::testing::WaitForChild(agent_->timeLimitPid(), "qlhost", std::chrono::seconds(20));
  std::optional<pid_t> print;
  if (agent) print = tq::testing::WaitForChild(*agent, "qlhost", std::chrono::seconds(20));
  if (agent) kill(*agent, SIGKILL);
  backend.join();
  ASSERT_TRUE(print.has_value()) << "the job's print run did not start";
  EXPECT_TRUE(tq::testing::WaitUntilEnded(*print, std::chrono::seconds(1)));
  kill(*print, SIGKILL);  // whatever happened, nothing is left running
  EXPECT_EQ(run.status, kBackendRetry) << run.err;
  EXPECT_EQ(device.Received(), "");
}

// The backend runs as root; the user's folder is the user's. Swapping the
// agent's socket for a link to another user's agent, between the backend's
// look at it and its connection, must not hand that agent the document.
TEST_F(Backend, ASocketSwappedForAnotherUsersAgentIsRefusedAndNothingIsSent) {
  if (getuid() != 0) GTEST_SKIP() << "a second user needs root";
  ThrowawayUser printing;
  if (!printing.made()) GTEST_SKIP() << "useradd cannot make a user here";
  // Another user's agent (root's), which must get nothing.
  std::filesystem::create_directories(userFolder_ + "/telequill");
  chmod((userFolder_ + "/telequill").c_str(), 0700);
  RecordingAgent other(userFolder_ + "/telequill/agent.sock");
  // The printing user's folder and socket, as their agent leaves them.
  const std::string theirs = runtimeRoot_ + "/" + std::to_string(printing.uid());
  std::filesystem::create_directories(theirs + "/telequill");
  for (const std::string& folder : {theirs, theirs + "/telequill"}) {
    ASSERT_EQ(chown(folder.c_str(), printing.uid(), 0), 0);
    chmod(folder.c_str(), 0700);
  }
  RecordingAgent planted(theirs + "/telequill/agent.sock");
  ASSERT_EQ(chown((theirs + "/telequill/agent.sock").c_str(), printing.uid(), 0), 0);

  tq::testing::RunResult run;
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  std::thread backend([&] {
    run = RunBackendFor(printing.name(), device.uri(), {"Lettre", "TelequillJob=Fax", path("doc.pxl").string()}, {},
                        {"LD_PRELOAD=" TELEQUILL_STEP_DELAY_PRELOAD, "TELEQUILL_TEST_CONNECT_DELAY_MS=2000"});
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  ASSERT_EQ(symlink((userFolder_ + "/telequill/agent.sock").c_str(), (theirs + "/telequill/swap").c_str()), 0);
  ASSERT_EQ(rename((theirs + "/telequill/swap").c_str(), (theirs + "/telequill/agent.sock").c_str()), 0);
  backend.join();
  EXPECT_EQ(run.status, kBackendHold) << run.err;
  EXPECT_NE(run.err.find("ERROR: the fax job is held: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("refused"), std::string::npos) << run.err;
  EXPECT_EQ(other.Received(), "");
  EXPECT_EQ(planted.Received(), "");
  EXPECT_EQ(device.Received(), "");
}

// Without XDG_RUNTIME_DIR the agent takes the user's folder under the
// runtime root only when it was made for that user (by the system), never
// a folder another user could make first.
TEST_F(Backend, WithoutXdgRuntimeDirTheAgentUsesOnlyTheFolderMadeForItsUser) {
  if (getuid() != 0) GTEST_SKIP() << "a second user needs root";
  ThrowawayUser other;
  if (!other.made()) GTEST_SKIP() << "useradd cannot make a user here";
  std::vector<std::string> env = {"TELEQUILL_RUNTIME_ROOT=" + runtimeRoot_, "TELEQUILL_ROOT=" + root().string()};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 && entry.rfind("TELEQUILL_R", 0) != 0) env.push_back(entry);
  }
  std::vector<char*> envp;
  for (auto& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const std::string program = std::string(TELEQUILL_BIN_DIR) + "/qlhost";
  std::vector<std::string> args = {program, "agent", "--ui", "headless"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  // A job file of an agent that was killed goes when the next one starts;
  // one of a running agent stays.
  pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  std::filesystem::create_directories(userFolder_ + "/telequill");
  chmod((userFolder_ + "/telequill").c_str(), 0700);
  const std::string deadJob = userFolder_ + "/telequill/job-" + std::to_string(dead) + "-Ab12Cd";
  const std::string liveJob = userFolder_ + "/telequill/job-" + std::to_string(getpid()) + "-Ef34Gh";
  WriteText(deadJob, "left by a killed agent");
  WriteText(liveJob, "a running agent's");
  pid_t agent = -1;
  ASSERT_EQ(posix_spawn(&agent, program.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
  bool listening = false;
  for (int i = 0; i < 200 && !listening; ++i) {
    listening = std::filesystem::exists(userFolder_ + "/telequill/agent.sock");
    if (!listening) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  for (int i = 0; i < 100 && std::filesystem::exists(deadJob); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(agent, SIGTERM);
  waitpid(agent, nullptr, 0);
  EXPECT_TRUE(listening);
  EXPECT_FALSE(std::filesystem::exists(deadJob));
  EXPECT_TRUE(std::filesystem::exists(liveJob));

  // The same folder, made by another user: refused, naming XDG_RUNTIME_DIR.
  std::filesystem::remove_all(userFolder_ + "/telequill");
  ASSERT_EQ(chown(userFolder_.c_str(), other.uid(), 0), 0);
  const auto refused = tq::testing::RunProgram(
      "qlhost", {"agent", "--ui", "headless"},
      {"XDG_RUNTIME_DIR=", "TELEQUILL_RUNTIME_ROOT=" + runtimeRoot_, "TELEQUILL_ROOT=" + root().string()});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("XDG_RUNTIME_DIR is not set"), std::string::npos) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(userFolder_ + "/telequill"));
}

// Jobs the agent cannot take say why and whether CUPS tries them again.
TEST_F(Backend, EachFailureSaysWhatHappenedAndWhetherTheJobIsTriedAgain) {
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  // A folder as the job's file, options too long for the agent: cancelled.
  auto run = RunBackendFor(UserName(), device.uri(), {"Lettre", "TelequillJob=Fax", root().string()});
  EXPECT_EQ(run.status, kBackendCancel) << run.err;
  EXPECT_NE(run.err.find("ERROR: " + root().string() + ": not a file; the job is cancelled"), std::string::npos)
      << run.err;
  run = RunBackendFor(UserName(), device.uri(), {"Lettre", "TelequillJob=" + std::string(70000, 'x'),
                                                 path("doc.pxl").string()});
  EXPECT_EQ(run.status, kBackendCancel) << run.err;
  EXPECT_NE(run.err.find("options are longer than"), std::string::npos) << run.err;

  // A title over 64 KiB is cut: the job goes through.
  StartAgent(kAnswerPrompt);
  run = RunBackendFor(UserName(), device.uri(), {std::string(70000, 'T'), "TelequillJob=Fax", path("doc.pxl").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(device.Received().find("@PJL TELQUL FAXNUM"), std::string::npos);
}

TEST_F(Backend, AnAgentWhoseFolderIsFullHasTheJobTriedAgain) {
  if (getuid() != 0) GTEST_SKIP() << "a small file system of its own needs root";
  std::filesystem::create_directories(userFolder_ + "/telequill");
  if (mount("tmpfs", (userFolder_ + "/telequill").c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0) {
    GTEST_SKIP() << "tmpfs cannot be mounted here";
  }
  WriteText(path("big.pxl"), ") HP-PCL XL;2;0\r\n" + std::string(300000, 'p'));
  StartAgent(kAnswerPrompt);
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto run = RunBackendFor(UserName(), device.uri(), {"Lettre", "TelequillJob=Fax", path("big.pxl").string()});
  agent_.reset();
  umount2((userFolder_ + "/telequill").c_str(), MNT_DETACH);
  EXPECT_EQ(run.status, kBackendRetry) << run.err;
  EXPECT_NE(run.err.find("cannot keep the job (No space left on device); the job will be tried again"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(device.Received(), "");
}

}  // namespace
}  // namespace tq::host::testing
