// qlhost print: the PJL stream around the document, to a file and to a
// printer's raw port, and the document events a Fax UI plug-in sees.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>

#include "host/plugin_set.h"
#include "loopback_printer.h"
#include "qlhost_fixture.h"

namespace tq::host::testing {
namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

const std::string kUel = "\x1B%-12345X";
// Page data as an application would hand it over: binary, with a NUL, a
// stray escape and line ends of its own.
const std::string kDocument = std::string(") HP-PCL XL;2;0\r\n\0\x01\xFF\x1B\n", 23);

class QlHostPrint : public QlHost {
 protected:
  void SetUp() override {
    QlHost::SetUp();
    document_ = path("report.pxl").string();
    WriteText(document_, kDocument);
  }

  // Prints to a file and gives the stream.
  std::string PrintToFile(std::vector<std::string> options, const std::vector<std::string>& env = {}) {
    const std::string output = path("job.prn").string();
    options.insert(options.begin(), "print");
    options.insert(options.end(), {"--output", output, document_});
    const auto run = Run(options, env);
    EXPECT_EQ(run.status, 0) << run.err;
    return ReadText(output);
  }

  std::string document_;
};

bool Has(const std::string& stream, const std::string& text) { return stream.find(text) != std::string::npos; }

// The stream with its clock times taken out, for comparing two runs.
std::string WithoutTimes(const std::string& stream) {
  return std::regex_replace(stream, std::regex("Time [0-9]+:[0-9]{2}:[0-9]{2}"), "Time T");
}

TEST_F(QlHostPrint, StreamWrapsTheDocumentInTheJobsPjl) {
  const std::string stream = PrintToFile({"--job", "print", "--doc-name", "Quarterly"});
  const std::string header = kUel + "@PJL\r\n@PJL JOB NAME=\"Quarterly\"\r\n@PJL COMMENT - Job started at \"Time ";
  EXPECT_EQ(stream.rfind(header, 0), 0u) << stream;
  const std::string enter = "@PJL ENTER LANGUAGE=PCLXL\r\n" + kDocument + kUel + "@PJL\r\n";
  const auto page = stream.find(enter);
  ASSERT_NE(page, std::string::npos) << stream;
  EXPECT_LT(stream.find("@PJL JOBINFO ACCTUSER=\"@"), page);
  EXPECT_GT(stream.find("@PJL COMMENT - Job ended at \"Time "), page);
  const std::string trailer = "@PJL EOJ NAME=\"Quarterly\"\r\n" + kUel;
  ASSERT_GE(stream.size(), trailer.size());
  EXPECT_EQ(stream.substr(stream.size() - trailer.size()), trailer);
  EXPECT_FALSE(Has(stream, "HOLD=")) << stream;
  EXPECT_FALSE(Has(stream, "TELQUL")) << stream;
  // No temporary file is left beside the output.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root())) ++files;
  EXPECT_EQ(files, 2);  // the document and the job
}

TEST_F(QlHostPrint, SecureJobHoldsWithTheStoredUserAndPassword) {
  ASSERT_EQ(Run({"settings", "set", "secure-user=dupont", "secure-password=1234"}).status, 0);
  const std::string stream = PrintToFile({"--job", "secure", "--doc-name", "Compte rendu de la reunion 12"});
  EXPECT_TRUE(Has(stream, "@PJL SET USERNAME=\"dupont\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET JOBNAME=\"Compte rendu de la reuni\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET HOLDKEY=\"1234\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET HOLD=STORE\r\n")) << stream;
  // The secure fields are the document's; the job option did not change them.
  EXPECT_NE(Run({"settings", "show"}).out.find("job-mode: fax\n"), std::string::npos);
}

TEST_F(QlHostPrint, SampleJobIsHeldForProof) {
  ASSERT_EQ(Run({"settings", "set", "secure-user=dupont", "secure-doc-name=Epreuve"}).status, 0);
  const std::string stream = PrintToFile({"--job", "sample"});
  EXPECT_TRUE(Has(stream, "@PJL SET JOBNAME=\"Epreuve\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET HOLD=PROOF\r\n")) << stream;
  EXPECT_FALSE(Has(stream, "HOLDKEY")) << stream;
}

TEST_F(QlHostPrint, CopiesGoToTheDevice) {
  EXPECT_TRUE(Has(PrintToFile({"--job", "print", "--copies", "3"}), "@PJL SET QTY=3\n"));
  EXPECT_FALSE(Has(PrintToFile({"--job", "print", "--copies", "1"}), "QTY="));
  // The stored copies count serves when the job does not give one.
  ASSERT_EQ(Run({"settings", "set", "copies=2", "job-mode=print"}).status, 0);
  EXPECT_TRUE(Has(PrintToFile({}), "@PJL SET QTY=2\n"));
}

TEST_F(QlHostPrint, DocumentNameCannotBreakThePjlLine) {
  const std::string stream = PrintToFile({"--job", "print", "--doc-name", "a\"b\r\n@PJL x"});
  EXPECT_TRUE(Has(stream, "@PJL JOB NAME=\"a_b__@PJL x\"\r\n")) << stream;
  EXPECT_TRUE(Has(PrintToFile({"--job", "print"}), "@PJL JOB NAME=\"report.pxl\"\r\n"));
}

TEST_F(QlHostPrint, UnreadableDocumentLeavesNoOutput) {
  const std::string output = path("job.prn").string();
  const std::string missing = path("missing.pxl").string();
  const auto run = Run({"print", "--job", "print", "--output", output, missing});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
  EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(QlHostPrint, UnwritableOutputIsNamed) {
  const std::string output = path("no-such-folder/job.prn").string();
  const auto run = Run({"print", "--job", "print", "--output", output, document_});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find(output), std::string::npos) << run.err;
  // A folder in the way of the output is not replaced.
  const auto folder = Run({"print", "--job", "print", "--output", root().string(), document_});
  EXPECT_NE(folder.status, 0);
  EXPECT_TRUE(std::filesystem::is_directory(root()));
}

TEST_F(QlHostPrint, BadOptionsAreRefusedBeforeAnythingIsWritten) {
  const std::string output = path("job.prn").string();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--job", "telex"}, {"--copies", "0"}, {"--tray", "5"}, {"--monitor", "maybe"},
        {"--ui", "gtk"}, {"--port", "lpd://printer/queue"}, {"--port", "socket://127.0.0.1:99999"},
        {"--port", "socket://127.0.0.1:9100", "--output", "other.prn"}}) {
    std::vector<std::string> full{"print"};
    full.insert(full.end(), args.begin(), args.end());
    full.insert(full.end(), {"--output", output, document_});
    const auto run = Run(full);
    EXPECT_NE(run.status, 0) << args[0];
    EXPECT_FALSE(std::filesystem::exists(output)) << args[0];
  }
}

TEST_F(QlHostPrint, PortReceivesTheSameStreamAsTheFile) {
  const std::string file = PrintToFile({"--job", "secure", "--doc-name", "Net"});
  LoopbackPrinter printer(LoopbackPrinter::Mode::ReadAll);
  const auto run = Run({"print", "--job", "secure", "--doc-name", "Net", "--port", printer.uri(), document_});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(WithoutTimes(printer.Received()), WithoutTimes(file));
}

TEST_F(QlHostPrint, RefusedPortFailsWithItsAddress) {
  const std::string uri = RefusingPortUri();
  const auto run = Run({"print", "--job", "print", "--port", uri, document_});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find(uri), std::string::npos) << run.err;
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
}

TEST_F(QlHostPrint, PrinterThatStopsReadingFailsTheJob) {
  // More than the sockets' buffers can take, so that sending must wait.
  WriteText(document_, kDocument + std::string(48u << 20, 'x'));
  LoopbackPrinter printer(LoopbackPrinter::Mode::NeverRead);
  const auto run = Run({"print", "--job", "print", "--port", printer.uri(), document_}, {"TELEQUILL_PORT_TIMEOUT=1"});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find(printer.uri() + ": the printer stopped reading"), std::string::npos) << run.err;
}

class QlHostDocumentEvents : public QlHostPrint {
 protected:
  std::vector<std::string> Env(const std::string& action) {
    return {"TELEQUILL_PLUGIN_DIR=" + FakePluginFolder("sound"), "FAKE_FAXUI_LOG=" + path("events.log").string(),
            "FAKE_FAXUI_ACTION=" + action};
  }
  std::string Events() { return ReadText(path("events.log")); }
};

TEST_F(QlHostDocumentEvents, HookSeesTheDocumentAndTheFaxPointAtTheFirstPage) {
  PrintToFile({"--doc-name", "Devis", "--ui", "headless"}, Env(""));
  EXPECT_EQ(Events(),
            "event 1\nui headless\n"
            "event 5\ndocname Devis\n"
            "event 6\nfaxpoint 1\n"
            "event 7\nevent 8\nevent 10\n");
}

TEST_F(QlHostDocumentEvents, RecipientsStoredByEscapeReachTheRenderPlugin) {
  const std::string stream = PrintToFile({"--job", "fax"}, Env("recipient"));
  EXPECT_NE(Events().find("stored 1\n"), std::string::npos) << Events();
  EXPECT_TRUE(Has(stream, "@PJL TELQUL FAXNUM = ")) << stream;
  EXPECT_TRUE(Has(stream, "0123456789")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL TELQUL FAXRES = FINE\r\n")) << stream;
  const auto faxLines = stream.find("@PJL TELQUL");
  EXPECT_LT(faxLines, stream.find("@PJL ENTER LANGUAGE=PCLXL"));
}

TEST_F(QlHostDocumentEvents, FaxJobWithoutRecipientsWritesNoFaxLinesAndNoCopies) {
  const std::string stream = PrintToFile({"--job", "fax", "--copies", "3"}, Env(""));
  EXPECT_FALSE(Has(stream, "TELQUL")) << stream;
  EXPECT_FALSE(Has(stream, "QTY=")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL ENTER LANGUAGE=PCLXL\r\n" + kDocument)) << stream;
}

TEST_F(QlHostDocumentEvents, CancelledPromptWritesNothing) {
  const std::string output = path("job.prn").string();
  const auto run = Run({"print", "--job", "fax", "--output", output, document_}, Env("cancel"));
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_EQ(Events().find("event 7"), std::string::npos) << "no event after the failed one";
}

}  // namespace
}  // namespace tq::host::testing

namespace tq::host::testing {
namespace {

// The real Fax UI plug-in on the headless face, which cancels every dialog:
// its fax prompt is cancelled and the job must leave nothing behind.
TEST_F(QlHostPrint, RealFaxPromptCancelledOnTheHeadlessFace) {
  PluginSet plugins;
  std::string error;
  ASSERT_TRUE(plugins.Load(Model::N, TELEQUILL_BIN_DIR, error)) << error;
  if (plugins.ui().table->documentEvent == nullptr) GTEST_SKIP() << "the plug-in has no print-time flow yet";
  const std::string output = path("job.prn").string();
  const auto run = Run({"print", "--job", "fax", "--ui", "headless", "--output", output, document_});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_FALSE(std::filesystem::exists(output));
}

// No display and no face named: the run says that no window can be shown
// and how to choose a face, rather than reporting a cancelled job; naming
// a face (here by TELEQUILL_UI) still gives the headless cancellation.
TEST_F(QlHostPrint, FaxPromptWithoutDisplayOrFaceSaysNoWindowCanBeShown) {
  PluginSet plugins;
  std::string error;
  ASSERT_TRUE(plugins.Load(Model::N, TELEQUILL_BIN_DIR, error)) << error;
  if (plugins.ui().table->documentEvent == nullptr) GTEST_SKIP() << "the plug-in has no print-time flow yet";
  std::map<std::string, std::string> kept;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "TELEQUILL_UI"}) {
    if (const char* value = std::getenv(name)) kept[name] = value;
    unsetenv(name);
  }
  const std::string output = path("job.prn").string();
  const auto unseen = Run({"print", "--job", "fax", "--output", output, document_});
  const bool unseenPrinted = std::filesystem::exists(output);
  const auto named = Run({"print", "--job", "fax", "--output", output, document_}, {"TELEQUILL_UI=headless"});
  // A job that shows no window still prints.
  const auto plain = Run({"print", "--job", "print", "--output", output, document_});
  for (const auto& [name, value] : kept) setenv(name.c_str(), value.c_str(), 1);

  EXPECT_EQ(unseen.status, 2) << unseen.err;
  EXPECT_NE(unseen.err.find("no window can be shown"), std::string::npos) << unseen.err;
  EXPECT_NE(unseen.err.find("--ui"), std::string::npos) << unseen.err;
  EXPECT_NE(unseen.err.find("TELEQUILL_UI"), std::string::npos) << unseen.err;
  EXPECT_EQ(unseen.err.find("cancelled"), std::string::npos) << unseen.err;
  EXPECT_FALSE(unseenPrinted);
  EXPECT_EQ(named.status, 1) << named.err;
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_TRUE(std::filesystem::exists(output));
}

}  // namespace
}  // namespace tq::host::testing
