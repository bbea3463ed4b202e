// The fax queue in a real CUPS scheduler: `qlhost cups install` adds it with
// its backend and PPD, a PDF printed with `lp` goes through the fax prompt
// of the user's agent to the device, and `qlhost cups remove` takes it away.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include <fcntl.h>

#include "host/page_count.h"
#include "loopback_printer.h"
#include "private_cups.h"
#include "qlhost_fixture.h"
#include "session_agent.h"
#include "win/unique_fd.h"

namespace tq::host::testing {
namespace {

using tq::UniqueFd;
using tq::testing::ReadText;
using tq::testing::RunProgram;
using tq::testing::WriteText;

const std::string kUel = "\x1B%-12345X";

class CupsQueue : public QlHost {
 protected:
  void SetUp() override {
    QlHost::SetUp();
    userFolder_ = path("run").string() + "/" + std::to_string(getuid());
    std::filesystem::create_directories(userFolder_);
    chmod(userFolder_.c_str(), 0700);
    installRoot_ = path("install").string();
    cups_ = std::make_unique<PrivateCups>(
        path("cups").string(), installRoot_,
        std::vector<std::string>{"TELEQUILL_RUNTIME_ROOT=" + path("run").string(), "TELEQUILL_DEVICE_RETRY=1",
                                 "TELEQUILL_ROOT=" + root().string()});
    std::string error;
    ASSERT_TRUE(cups_->Start(error)) << error;
  }
  void TearDown() override {
    agent_.reset();
    cups_.reset();
    QlHost::TearDown();
  }

  std::vector<std::string> ClientEnv() const {
    return {"CUPS_SERVER=" + cups_->server(), "TELEQUILL_INSTALL_ROOT=" + installRoot_};
  }
  tq::testing::RunResult Cups(const std::string& program, const std::vector<std::string>& args) {
    return RunProgram(program, args, ClientEnv());
  }

  void MakePdf(const std::string& name, int pages) {
    std::string program = "/Helvetica findfont 24 scalefont setfont\n";
    for (int page = 1; page <= pages; ++page) program += "72 700 moveto (Page " + std::to_string(page) + ") show showpage\n";
    WriteText(path("pages.ps"), "%!PS\n" + program);
    ASSERT_EQ(std::system(("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile=" + path(name).string() +
                           " " + path("pages.ps").string())
                              .c_str()),
              0);
  }

  std::string userFolder_;
  std::string installRoot_;
  std::unique_ptr<PrivateCups> cups_;
  std::unique_ptr<SessionAgent> agent_;
};

TEST_F(CupsQueue, PdfPrintedWithLpReachesTheDeviceAfterTheFaxPrompt) {
  LoopbackPrinter device(LoopbackPrinter::Mode::ReadAll);
  const auto install = Cups("qlhost", {"cups", "install", "--device", device.uri()});
  ASSERT_EQ(install.status, 0) << install.err << cups_->Log();
  struct stat backend {};
  ASSERT_EQ(stat((installRoot_ + "/usr/lib/cups/backend/telequill").c_str(), &backend), 0);
  // Mode 0700: CUPS runs it as root, so that it can reach every user's agent.
  EXPECT_EQ(backend.st_mode & 07777, 0700u);
  // The agent starts in every user's session from files root installs:
  // each must be readable by everyone.
  for (const char* file : {"/usr/lib/systemd/user/telequill-agent.socket", "/usr/lib/systemd/user/telequill-agent.service",
                           "/etc/xdg/autostart/telequill-agent.desktop"}) {
    struct stat info {};
    ASSERT_EQ(stat((installRoot_ + file).c_str(), &info), 0) << file;
    EXPECT_EQ(info.st_mode & 07777, 0644u) << file;
  }

  WriteText(path("answer.txt"),
            "dialog 101\ntype 1001 Dupont\ntype 1004 0145678900\nclick 1006\nclick 1\ndialog 108\nclick 801\n");
  agent_ = std::make_unique<SessionAgent>(userFolder_, root().string());
  ASSERT_TRUE(agent_->Start(path("answer.txt").string()));
  MakePdf("lettre.pdf", 2);
  const auto lp = RunProgram("/usr/bin/lp", {"-d", "Telequill-Fax", "-t", "Lettre", "-o",
                                             "TelequillResolution=Superfine", path("lettre.pdf").string()},
                             ClientEnv());
  ASSERT_EQ(lp.status, 0) << lp.err;

  const std::string stream = device.AwaitReceived();
  ASSERT_EQ(stream.rfind(kUel + "@PJL\r\n@PJL JOB NAME=\"Lettre\"\r\n", 0), 0u) << stream.substr(0, 400) << cups_->Log();
  const auto data = stream.find("@PJL ENTER LANGUAGE=PCLXL\r\n) HP-PCL XL;");
  ASSERT_NE(data, std::string::npos);
  const std::string header = stream.substr(0, data);
  EXPECT_NE(header.find("@PJL TELQUL FAXNUM = "), std::string::npos) << header;
  EXPECT_NE(header.find("0145678900"), std::string::npos) << header;
  EXPECT_NE(header.find("@PJL TELQUL FAXRES = SUPERFINE\r\n"), std::string::npos) << header;
  // Two pages of page data, then the trailer closes the job.
  const auto trailer = stream.rfind(kUel + "@PJL\r\n@PJL COMMENT - Job ended");
  ASSERT_NE(trailer, std::string::npos);
  EXPECT_GT(trailer, data + 1000);
  const std::string end = "@PJL EOJ NAME=\"Lettre\"\r\n" + kUel;
  EXPECT_EQ(stream.substr(stream.size() - end.size()), end);

  const auto remove = Cups("qlhost", {"cups", "remove"});
  EXPECT_EQ(remove.status, 0) << remove.err;
  EXPECT_FALSE(std::filesystem::exists(installRoot_ + "/usr/lib/cups/backend/telequill"));
  EXPECT_FALSE(std::filesystem::exists(installRoot_ + "/usr/lib/systemd/user/telequill-agent.service"));
  const auto queues = RunProgram("/usr/bin/lpstat", {"-v"}, ClientEnv());
  EXPECT_EQ(queues.out.find("Telequill-Fax"), std::string::npos) << queues.out;
}

// The queue installed on a device, without any agent.
class GivenToTheQueue : public CupsQueue {
 protected:
  void SetUp() override {
    CupsQueue::SetUp();
    device_ = std::make_unique<LoopbackPrinter>(LoopbackPrinter::Mode::ReadAll);
    const auto install = Cups("qlhost", {"cups", "install", "--device", device_->uri()});
    ASSERT_EQ(install.status, 0) << install.err << cups_->Log();
  }
  void TearDown() override {
    device_.reset();
    CupsQueue::TearDown();
  }
  // Waits, bounded, until the queue has no job left to do.
  // Generous waits: under the sanitizers on a loaded machine the scheduler
  // and the backend take many times their usual second.
  bool QueueDrained() {
    for (int tries = 0; tries < 600; ++tries) {
      if (RunProgram("/usr/bin/lpstat", {"-o", "Telequill-Fax"}, ClientEnv()).out.empty()) return true;
      usleep(100000);
    }
    return false;
  }
  bool LogSays(const std::string& text) {
    for (int tries = 0; tries < 300; ++tries) {
      // The whole log: the scheduler's debug lines soon push a line out of its end.
      if (ReadText(path("cups/log/error_log")).find(text) != std::string::npos) return true;
      usleep(100000);
    }
    return false;
  }
  // The state line of the queue ("printer Telequill-Fax is idle. ...").
  std::string QueueState() { return RunProgram("/usr/bin/lpstat", {"-p", "Telequill-Fax"}, ClientEnv()).out; }

  std::unique_ptr<LoopbackPrinter> device_;
};

// Without any agent and without a prompt: the recipients given with lp.
TEST_F(GivenToTheQueue, RecipientsGivenWithLpAreFaxedAndABadOneCancelsOnlyItsJob) {
  ASSERT_EQ(Cups("/usr/sbin/lpadmin", {"-p", "Telequill-Fax", "-o", "printer-error-policy=stop-printer"}).status, 0);
  std::filesystem::copy_file(TELEQUILL_SOURCE_DIR "/examples/phonebooks/bureau.AFD", path("DEFAULT.AFD"));
  MakePdf("lettre.pdf", 1);

  auto lp = RunProgram("/usr/bin/lp", {"-d", "Telequill-Fax", "-t", "Relance", "-o", "fax-to=#999", path("lettre.pdf").string()},
                       ClientEnv());
  ASSERT_EQ(lp.status, 0) << lp.err;
  ASSERT_TRUE(QueueDrained()) << cups_->Log();
  // The scheduler logs the backend's message as it reads it, maybe after the job ended.
  EXPECT_TRUE(LogSays("#999\\\": not a speed-dial number of the device (1-200)")) << cups_->Log();
  // The refused job was cancelled; the queue is still enabled.
  EXPECT_EQ(QueueState().find("disabled"), std::string::npos) << QueueState();

  lp = RunProgram("/usr/bin/lp", {"-d", "Telequill-Fax", "-t", "Relance", "-o",
                                  "fax-to='Dupont <0145678900>;[Comptabilité]'", "-o", "fax-delay=07:05",
                                  path("lettre.pdf").string()},
                  ClientEnv());
  ASSERT_EQ(lp.status, 0) << lp.err;
  const std::string stream = device_->AwaitReceived();
  EXPECT_NE(stream.find("@PJL JOB NAME=\"Relance\""), std::string::npos) << stream.substr(0, 400) << cups_->Log();
  EXPECT_NE(stream.find("@PJL TELQUL FAXNUM = 0145678900{20}{30}\n@PJL TELQUL FAXNUM = 0140203040{20}{30}\n"
                        "@PJL TELQUL FAXNUM = 0561998877"),
            std::string::npos) << stream.substr(0, 600);
  EXPECT_NE(stream.find("@PJL TELQUL DELAYSEND = 07:05"), std::string::npos);
}

// CUPS's conventions for the documents: page ranges, plain text, a document
// that cannot be printed cancelled without stopping the queue, page_log.
TEST_F(GivenToTheQueue, PageRangesTextBadDocumentsAndPageAccounting) {
  ASSERT_EQ(Cups("/usr/sbin/lpadmin", {"-p", "Telequill-Fax", "-o", "printer-error-policy=stop-printer"}).status, 0);
  MakePdf("twenty.pdf", 20);
  const auto print = [&](std::vector<std::string> options, const std::string& document) {
    options.insert(options.begin(), {"-d", "Telequill-Fax", "-o", "fax-to=0145678900"});
    options.push_back(path(document).string());
    const auto lp = RunProgram("/usr/bin/lp", options, ClientEnv());
    EXPECT_EQ(lp.status, 0) << lp.err;
  };

  WriteText(path("broken.pdf"), "%PDF-1.4\nnot a PDF body\n");
  print({"-t", "Casse"}, "broken.pdf");
  ASSERT_TRUE(QueueDrained()) << cups_->Log();
  EXPECT_TRUE(LogSays("Casse: Ghostscript cannot read it")) << cups_->Log();
  EXPECT_EQ(QueueState().find("disabled"), std::string::npos) << QueueState();

  print({"-t", "Extrait", "-P", "2-3"}, "twenty.pdf");
  const std::string stream = device_->AwaitReceived();
  const auto data = stream.find("@PJL ENTER LANGUAGE=PCLXL\r\n");
  ASSERT_NE(data, std::string::npos) << cups_->Log();
  WriteText(path("received.prn"), stream);
  const UniqueFd received(open(path("received.prn").c_str(), O_RDONLY | O_CLOEXEC));
  EXPECT_EQ(CountStreamPages(received.fd()), 2);
  ASSERT_TRUE(QueueDrained());
  EXPECT_TRUE(LogSays("PAGE: 2 1")) << cups_->Log();
  EXPECT_TRUE(LogSays("Extrait\\\" was sent to socket://")) << cups_->Log();
  // page_log: one line per page sent.
  for (int tries = 0; tries < 300 && LineCount(ReadText(path("cups/log/page_log"))) < 2; ++tries) usleep(100000);
  EXPECT_EQ(LineCount(ReadText(path("cups/log/page_log"))), 2) << ReadText(path("cups/log/page_log"));

  // Plain text, as CUPS hands it without a filter.
  LoopbackPrinter textDevice(LoopbackPrinter::Mode::ReadAll);
  ASSERT_EQ(Cups("/usr/sbin/lpadmin", {"-p", "Telequill-Fax", "-v", "telequill:/" + textDevice.uri() + "?model=n"})
                .status,
            0);
  WriteText(path("letter.txt"), "Madame, Monsieur,\nveuillez trouver ci-joint la facture.\n");
  print({"-t", "Lettre"}, "letter.txt");
  const std::string text = textDevice.AwaitReceived();
  WriteText(path("text.prn"), text);
  const UniqueFd textStream(open(path("text.prn").c_str(), O_RDONLY | O_CLOEXEC));
  EXPECT_EQ(CountStreamPages(textStream.fd()), 1) << cups_->Log();
}

}  // namespace
}  // namespace tq::host::testing
