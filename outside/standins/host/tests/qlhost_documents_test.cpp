// qlhost print with real documents: PDF and PostScript through Ghostscript,
// other files refused, broken and endless ones reported, and a document far
// larger than memory streamed through.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include <fcntl.h>

#include "host/page_count.h"
#include "loopback_printer.h"
#include "win/unique_fd.h"
#include "qlhost_fixture.h"

namespace tq::host::testing {
namespace {

using tq::UniqueFd;
using tq::testing::ReadText;
using tq::testing::WriteText;

const std::string kPostScript =
    "%!PS\n/Helvetica findfont 24 scalefont setfont\n72 700 moveto (Page one) show showpage\n";
const std::string kUel = "\x1B%-12345X";

class QlHostDocuments : public QlHost {
 protected:
  tq::testing::RunResult Print(const std::string& document, const std::vector<std::string>& env = {},
                               const std::string& job = "print") {
    return Run({"print", "--job", job, "--output", path("job.prn").string(), document}, env);
  }
  bool OutputExists() { return std::filesystem::exists(path("job.prn")); }

  // Ghostscript as the host runs it, with its arguments noted.
  std::string LoggingGhostscript() {
    const auto script = path("gs-logged");
    WriteText(script, "#!/bin/sh\necho \"$@\" >> '" + path("gs.log").string() + "'\nexec gs \"$@\"\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return "TELEQUILL_GS=" + script.string();
  }
};

TEST_F(QlHostDocuments, PostScriptAndPdfBecomePclXlPageData) {
  WriteText(path("page.ps"), kPostScript);
  const std::string pdf = path("page.pdf").string();
  ASSERT_EQ(std::system(("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile=" + pdf + " " +
                         path("page.ps").string())
                            .c_str()),
            0);
  for (const std::string& document : {path("page.ps").string(), pdf}) {
    const auto run = Print(document);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string stream = ReadText(path("job.prn"));
    // Ghostscript's own PJL lines do not reach the job: the page data
    // follows the host's ENTER LANGUAGE and the host's trailer follows it.
    EXPECT_NE(stream.find("@PJL ENTER LANGUAGE=PCLXL\r\n) HP-PCL XL;"), std::string::npos) << document;
    EXPECT_EQ(stream.find("RENDERMODE"), std::string::npos) << document;
    EXPECT_EQ(stream.find(kUel, 1), stream.rfind(kUel + "@PJL\r\n@PJL COMMENT - Job ended")) << document;
  }
}

// The paper page's size and orientation reach the conversion: the PCL XL
// page data names the size and says landscape; A4 upright by default.
TEST_F(QlHostDocuments, PaperSizeAndOrientationReachThePageData) {
  WriteText(path("page.ps"), kPostScript);
  // BeginPage attributes as Ghostscript writes them: ubyte value, attribute.
  const auto attribute = [](const std::string& stream, char id) {
    const std::size_t at = stream.find(std::string("\xF8") + id);
    return at == std::string::npos || at < 1 ? -1 : static_cast<unsigned char>(stream[at - 1]);
  };
  constexpr char kOrientation = 0x28, kMediaSize = 0x25;
  constexpr int kA4 = 2, kA3 = 5;
  auto run = Print(path("page.ps").string());
  ASSERT_EQ(run.status, 0) << run.err;
  std::string stream = ReadText(path("job.prn"));
  EXPECT_EQ(attribute(stream, kMediaSize), kA4);
  EXPECT_EQ(attribute(stream, kOrientation), 0);
  ASSERT_EQ(Run({"settings", "set", "paper-size=a3", "orientation=landscape"}).status, 0);
  EXPECT_NE(Run({"settings", "show"}).out.find("paper-size: a3\norientation: landscape\n"), std::string::npos);
  run = Print(path("page.ps").string());
  ASSERT_EQ(run.status, 0) << run.err;
  stream = ReadText(path("job.prn"));
  EXPECT_EQ(attribute(stream, kMediaSize), kA3);
  EXPECT_EQ(attribute(stream, kOrientation), 1);
  const auto refused = Run({"settings", "set", "paper-size=a2"});
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.err.find("paper-size"), std::string::npos) << refused.err;
}

TEST_F(QlHostDocuments, FaxJobsAreRenderedAtTheFaxResolutionInBlackAndWhite) {
  WriteText(path("page.ps"), kPostScript);
  const std::string gs = LoggingGhostscript();
  const std::string plugins = "TELEQUILL_PLUGIN_DIR=" + FakePluginFolder("sound");
  ASSERT_EQ(Run({"settings", "set", "resolution=normal"}, {plugins}).status, 0);
  ASSERT_EQ(Print(path("page.ps").string(), {gs, plugins}, "fax").status, 0);
  ASSERT_EQ(Run({"settings", "set", "resolution=superfine"}, {plugins}).status, 0);
  ASSERT_EQ(Print(path("page.ps").string(), {gs, plugins}, "fax").status, 0);
  ASSERT_EQ(Print(path("page.ps").string(), {gs, plugins}, "print").status, 0);
  const std::string log = ReadText(path("gs.log"));
  const auto second = log.find('\n') + 1;
  const auto third = log.find('\n', second) + 1;
  EXPECT_NE(log.substr(0, second).find("-sDEVICE=pxlmono -r200x100"), std::string::npos) << log;
  EXPECT_NE(log.substr(second, third - second).find("-sDEVICE=pxlmono -r400x400"), std::string::npos) << log;
  EXPECT_NE(log.substr(third).find("-sDEVICE=pxlcolor -r600x600"), std::string::npos) << log;
}

TEST_F(QlHostDocuments, OtherFilesAreRefusedByTheirBytesNotTheirNames) {
  WriteText(path("letter.pdf"), std::string("\x7F" "ELF\x02\x01\x01\0binary", 12));
  const auto run = Print(path("letter.pdf").string());
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "qlhost: the job was refused, nothing was sent: " + path("letter.pdf").string() +
                         ": not a document that can be printed; give a PDF, PostScript, text or PCL XL file\n");
  EXPECT_FALSE(OutputExists());
}

TEST_F(QlHostDocuments, BrokenPdfGivesGhostscriptsFirstErrorAndNoOutput) {
  WriteText(path("broken.pdf"), "%PDF-1.4\nthis is not a PDF body\n");
  const auto run = Print(path("broken.pdf").string());
  EXPECT_EQ(run.status, 3) << "the document is at fault: sending it again will not help";
  EXPECT_NE(run.err.find(path("broken.pdf").string() + ": Ghostscript cannot read it (Error: "), std::string::npos)
      << run.err;
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
  EXPECT_FALSE(OutputExists());
}

TEST_F(QlHostDocuments, EndlessPostScriptIsStoppedAtTheTimeLimit) {
  WriteText(path("loop.ps"), "%!PS\n{} loop\n");
  const auto run = Print(path("loop.ps").string(), {"TELEQUILL_CONVERT_TIMEOUT=1"});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("loop.ps: the conversion did not finish within 1 seconds and was stopped"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(OutputExists());
}

// The pages of a twenty-page PDF: a range, four to a sheet, fitted; plain
// text as pages; the document named by the name it was given, never by the
// file the spooler keeps it in.
TEST_F(QlHostDocuments, PagesAreChosenAndLaidOutAndTextIsPrinted) {
  std::string program = "%!PS\n/Helvetica findfont 24 scalefont setfont\n";
  for (int page = 1; page <= 20; ++page) program += "72 700 moveto (Page " + std::to_string(page) + ") show showpage\n";
  WriteText(path("twenty.ps"), program);
  ASSERT_EQ(std::system(("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile=" + path("twenty.pdf").string() +
                         " " + path("twenty.ps").string()).c_str()), 0);
  const auto pages = [&](std::vector<std::string> options, const std::string& document) {
    std::filesystem::remove(path("job.prn"));
    options.insert(options.begin(), {"print", "--job", "fax", "--to", "0123", "--output", path("job.prn").string()});
    options.push_back(document);
    const auto run = Run(options);
    EXPECT_EQ(run.status, 0) << run.err;
    const UniqueFd stream(open(path("job.prn").c_str(), O_RDONLY | O_CLOEXEC));
    return CountStreamPages(stream.fd());
  };
  const std::string pdf = path("twenty.pdf").string();
  EXPECT_EQ(pages({}, pdf), 20);
  EXPECT_EQ(pages({"--pages", "2-3"}, pdf), 2);
  EXPECT_EQ(pages({"--pages", "1,5-6,19-"}, pdf), 5);
  EXPECT_EQ(pages({"--pages", "2-3"}, path("twenty.ps").string()), 2);
  EXPECT_EQ(pages({"--number-up", "4"}, pdf), 5);
  EXPECT_EQ(pages({"--set", "pages=4- number-up=2 fit-to-page=on"}, pdf), 9);
  // Text: a form feed starts a page, a long line wraps, Latin-1 prints.
  WriteText(path("letter.txt"), "Bonjour Hélène,\n\t(parenthèses) et \\ barre\n" + std::string(300, 'x') +
                                    "\n\fSeconde page\n");
  EXPECT_EQ(pages({}, path("letter.txt").string()), 2);

  for (const auto& [option, value] : {std::pair<std::string, std::string>{"--pages", "3-2"}, {"--pages", "a"},
                                      {"--number-up", "3"}, {"--fit-to-page", "maybe"}}) {
    const auto run = Run({"print", "--job", "print", "--output", path("bad.prn").string(), option, value, pdf});
    EXPECT_EQ(run.status, 2) << option << " " << value;
    EXPECT_NE(run.err.find(option + ": \"" + value + "\""), std::string::npos) << run.err;
  }
  WriteText(path("job-123456"), "%PDF-1.4\nbroken\n");
  const auto run = Run({"print", "--job", "print", "--doc-name", "Rapport", "--output", path("bad.prn").string(),
                        path("job-123456").string()});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err.rfind("qlhost: the job was refused, nothing was sent: Rapport: Ghostscript cannot read it", 0), 0u)
      << run.err;
  EXPECT_EQ(run.err.find("job-123456"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(path("bad.prn")));
}

TEST_F(QlHostDocuments, PrinterThatHangsUpFailsTheJobWithItsAddress) {
  WriteText(path("big.pxl"), ") HP-PCL XL;2;0\r\n" + std::string(16u << 20, 'x'));
  LoopbackPrinter printer(LoopbackPrinter::Mode::HangUp);
  const auto run = Run({"print", "--job", "print", "--port", printer.uri(), path("big.pxl").string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find(printer.uri() + ": "), std::string::npos) << run.err;
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
}

// A 2 GB document, a PCL XL header followed by a hole, reaches the printer
// whole while qlhost's memory stays far below the document's size.
TEST_F(QlHostDocuments, TwoGigabyteDocumentStreamsWithFlatMemory) {
  constexpr std::uint64_t kSize = 2ull << 30;
  const std::string header = ") HP-PCL XL;2;0\r\n";
  {
    std::ofstream out(path("huge.pxl"), std::ios::binary);
    out << header;
  }
  std::filesystem::resize_file(path("huge.pxl"), kSize);
  LoopbackPrinter printer(LoopbackPrinter::Mode::KeepEnds);
  const auto run = Run({"print", "--job", "print", "--doc-name", "Huge", "--port", printer.uri(),
                        path("huge.pxl").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string head = printer.Received();
  const auto data = head.find("@PJL ENTER LANGUAGE=PCLXL\r\n" + header);
  ASSERT_NE(data, std::string::npos);
  const std::string tail = printer.ReceivedTail();
  const std::string trailerStart = kUel + "@PJL\r\n@PJL COMMENT - Job ended";
  const auto trailer = tail.rfind(trailerStart);
  ASSERT_NE(trailer, std::string::npos);
  const std::uint64_t trailerSize = tail.size() - trailer;
  EXPECT_EQ(printer.ReceivedCount(), data + 27 + kSize + trailerSize);
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  EXPECT_LT(usage.ru_maxrss, 64 * 1024) << "peak KiB";  // ru_maxrss is in KiB
}

}  // namespace
}  // namespace tq::host::testing
