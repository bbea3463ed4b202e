// qlhost properties: the document property sheet with the plug-in's options
// page and "À propos de" pages, driven by automation scripts on the headless
// face and on the Qt face, and the next fax job that uses what was applied.
#include <gtest/gtest.h>

#include <thread>

#include "qlhost_fixture.h"

namespace tq::host::testing {
namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

enum class FaceKind { Headless, Qt };

class QlHostProperties : public QlHost, public ::testing::WithParamInterface<FaceKind> {
 protected:
  // Runs the sheet with `script`; the transcript is kept.
  tq::testing::RunResult Properties(const std::string& script) {
    WriteText(path("sheet.txt"), script);
    const std::string transcript = "TELEQUILL_TRANSCRIPT=" + path("sheet.log").string();
    if (GetParam() == FaceKind::Qt) {
      return Run({"properties", "--ui", "qt", "--script", path("sheet.txt").string()},
                 {transcript, "QT_QPA_PLATFORM=offscreen"});
    }
    return Run({"properties", "--ui", "script:" + path("sheet.txt").string()}, {transcript});
  }
  std::string Transcript() { return ReadText(path("sheet.log")); }

  // A fax job to one typed number; the stream it wrote.
  std::string FaxJob() {
    WriteText(path("fax.txt"), "dialog 101\ntype 1001 Ana\ntype 1004 0145678900\nclick 1006\n"
                               "click 1\ndialog 108\nclick 801\n");
    const auto run = Run({"print", "--output", path("job.prn").string(), "--ui",
                          "script:" + path("fax.txt").string(), TELEQUILL_SOURCE_DIR "/examples/documents/lettre.pxl"});
    EXPECT_EQ(run.status, 0) << run.err;
    return ReadText(path("job.prn"));
  }
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_P(QlHostProperties, AppliedOptionsGoIntoTheNextFaxJob) {
  std::string stream = FaxJob();
  EXPECT_TRUE(Has(stream, "@PJL TELQUL FAXRES = FINE\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL TELQUL TXRPT = ONERROR\r\n")) << stream;
  const auto run = Properties(
      "page 102\nexpect-checked 203\nexpect-checked 208\nexpect-checked 210\n"
      "click 204\nclick 209\nexpect-enabled 12321\nclick 12321\nexpect-disabled 12321\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_TRUE(Has(Transcript(), "sheet changed 102\n")) << Transcript();
  stream = FaxJob();
  EXPECT_TRUE(Has(stream, "@PJL TELQUL FAXRES = SUPERFINE\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL TELQUL TXRPT = OFF\r\n")) << stream;
  // The page shows what was kept.
  ASSERT_EQ(Properties("page 102\nexpect-checked 204\nexpect-unchecked 203\nexpect-checked 209\nclick 2\n").status, 0)
      << Transcript();
}

// Apply writes what the user changed into the settings as they are then: a
// change another program makes while the sheet is open (here, while Apply's
// write is under way) is kept.
TEST_F(QlHost, ApplyKeepsWhatAnotherProgramChangedMeanwhile) {
  WriteText(path("sheet.txt"), "page 102\nclick 204\nclick 12321\nclick 2\n");
  tq::testing::RunResult sheet;
  std::thread properties([&] {
    sheet = Run({"properties", "--ui", "script:" + path("sheet.txt").string()}, RenamesDelayed(1500));
  });
  ASSERT_TRUE(WaitForFileNamed(root() / "host", ".dat.tmp-"));
  const auto set = Run({"settings", "set", "copies=5"});
  properties.join();
  ASSERT_EQ(sheet.status, 0) << sheet.err;
  ASSERT_EQ(set.status, 0) << set.err;
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_TRUE(Has(shown, "resolution: superfine\n")) << shown;
  EXPECT_TRUE(Has(shown, "copies: 5\n")) << shown;
}

TEST_P(QlHostProperties, CancelKeepsThePreviousSettings) {
  ASSERT_EQ(Run({"settings", "set", "copies=1"}).status, 0);
  const std::string before = ReadText(SettingsFile());
  const auto run = Properties("page 102\nclick 205\nclick 207\nclick 210\nexpect-unchecked 210\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_EQ(ReadText(SettingsFile()), before);
  const std::string stream = FaxJob();
  EXPECT_TRUE(Has(stream, "@PJL TELQUL FAXRES = FINE\r\n")) << stream;
}

TEST_P(QlHostProperties, ClickingTheCheckedButtonDoesNotMarkThePageChanged) {
  const auto run = Properties("page 102\nclick 203\nclick 208\nexpect-disabled 12321\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_FALSE(Has(Transcript(), "sheet changed")) << Transcript();
}

TEST_P(QlHostProperties, DefaultsAlwaysMarkThePageAndRestoreFineOnErrorHeader) {
  // Already the defaults: still marked changed.
  auto run = Properties("page 102\nclick 211\nexpect-enabled 12321\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_TRUE(Has(Transcript(), "sheet changed 102\n")) << Transcript();
  run = Properties("page 102\nclick 202\nclick 207\nclick 210\nclick 211\n"
                   "expect-checked 203\nexpect-unchecked 202\nexpect-checked 208\nexpect-unchecked 207\n"
                   "expect-checked 210\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string stream = FaxJob();
  EXPECT_TRUE(Has(stream, "@PJL TELQUL FAXRES = FINE\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL TELQUL TXHDR = ON")) << stream;
}

TEST_P(QlHostProperties, EveryControlIsDisabledOutsideAFaxJob) {
  ASSERT_EQ(Run({"settings", "set", "job-mode=print"}).status, 0);
  std::string script = "page 102\n";
  for (int id : {201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 1010}) {
    script += "expect-disabled " + std::to_string(id) + "\n";
  }
  const auto run = Properties(script + "click 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
}

TEST_P(QlHostProperties, WithoutTheFaxFeatureOnlyTheAboutPagesAreShown) {
  ASSERT_EQ(Run({"settings", "set", "fax-feature=0"}).status, 0);
  const auto run = Properties("page 102\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(Has(run.err + Transcript(), "no page made from template 102")) << run.err;
  ASSERT_EQ(Properties("page 109\nexpect-text 902 \"Version 0.1\"\nclick 2\n").status, 0) << Transcript();
}

TEST_P(QlHostProperties, HelpGivesThePagesAndTheControlsContexts) {
  const auto run = Properties("page 102\nkey 204 f1\nkey 210 f1\nclick 9\npage 109\nkey 903 f1\nclick 9\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string log = Transcript();
  EXPECT_TRUE(Has(log, "help \"qlhelpn.HLP\" wm_help 212\n")) << log;
  EXPECT_TRUE(Has(log, "help \"qlhelpn.HLP\" wm_help 214\n")) << log;
  EXPECT_TRUE(Has(log, "help \"qlhelpn.HLP\" context 111\n")) << log;
  EXPECT_TRUE(Has(log, "help \"qlhelpn.HLP\" context 10000\n")) << log;
}

TEST_P(QlHostProperties, ThePhonebookButtonOpensTheManagementFormOverThePage) {
  const auto run = Properties(
      "page 102\nclick 1010\ndialog 106\nexpect-enabled 1012\nexpect-enabled 1013\nclick 2\n"
      "expect-disabled 12321\nexpect-checked 203\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_TRUE(Has(Transcript(), "dialog 106 open ")) << Transcript();
  EXPECT_FALSE(Has(Transcript(), "sheet changed")) << Transcript();
}

TEST_P(QlHostProperties, ASecureJobChosenOnTheJobTypePageIsHeldByTheNextPrint) {
  const auto run = Properties(
      "page 2000\nexpect-text 2002 \"Impression protégée\"\nexpect-checked 2004\n"
      "expect-disabled 2005\nexpect-disabled 2006\nclick 2002\nexpect-enabled 2005\nexpect-enabled 2006\n"
      "type 2005 dupont\ntype 2006 1234\ntype 2007 Rapport\nexpect-text 12321 \"A&ppliquer\"\n"
      "expect-enabled 12321\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_TRUE(Has(Transcript(), "sheet changed 2000\n")) << Transcript();
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_TRUE(Has(shown, "job-mode: secure\nfax-feature: 1\n")) << shown;
  EXPECT_TRUE(Has(shown, "secure-user: \"dupont\"\nsecure-password: (set, not shown)\n")) << shown;

  ASSERT_EQ(Run({"print", "--output", path("held.prn").string(), TELEQUILL_SOURCE_DIR "/examples/documents/lettre.pxl"})
                .status,
            0);
  const std::string stream = ReadText(path("held.prn"));
  EXPECT_TRUE(Has(stream, "@PJL SET USERNAME=\"dupont\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET JOBNAME=\"Rapport\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET HOLDKEY=\"1234\"\r\n")) << stream;
  EXPECT_TRUE(Has(stream, "@PJL SET HOLD=STORE\r\n")) << stream;
  EXPECT_FALSE(Has(stream, "TELQUL")) << stream;

  // The page shows what was kept, the password included.
  ASSERT_EQ(Properties("page 2000\nexpect-checked 2002\nexpect-unchecked 2004\nexpect-text 2005 dupont\n"
                       "expect-text 2006 1234\nexpect-disabled 12321\nclick 2\n")
                .status,
            0)
      << Transcript();
}

TEST_P(QlHostProperties, AValueTheSettingsRefuseKeepsThePageAndChangesNothing) {
  const std::string before = Run({"settings", "show"}).out;
  const auto run = Properties("page 2000\nclick 2003\ntype 2005 \"du\\\"pont\"\nclick 1\n"
                              "box ok \"Cette valeur ne peut pas être enregistrée :\\n"
                              "secure-user: quotes and control characters are not allowed\"\n"
                              "expect-checked 2003\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  EXPECT_EQ(Run({"settings", "show"}).out, before);
  // A secure job cannot be stored without its password.
  const auto secure = Properties("page 2000\nclick 2002\ntype 2005 dupont\nclick 1\n"
                                 "box ok \"Cette valeur ne peut pas être enregistrée :\\n"
                                 "Le mot de passe ne peut pas être vide.\"\nclick 2\n");
  ASSERT_EQ(secure.status, 0) << secure.err << Transcript();
  EXPECT_EQ(Run({"settings", "show"}).out, before);
}

TEST_P(QlHostProperties, TheJobTypePageSaysWhatTheChosenTypeDoes) {
  const auto run = Properties(
      "page 2000\nexpect-text 2008 \"Fax : le document est envoyé par fax aux destinataires choisis à "
      "l'impression.\"\nclick 2003\nexpect-enabled 2005\nexpect-disabled 2006\nexpect-enabled 2007\n"
      "expect-text 2008 \"Impression échantillon : une copie est imprimée, les autres attendent votre accord sur "
      "l'imprimante.\"\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
}

TEST_P(QlHostProperties, CopiesAndTrayFromThePaperPageGoIntoTheNextPrint) {
  ASSERT_EQ(Run({"settings", "set", "job-mode=print"}).status, 0);
  auto run = Properties("page 1000\nexpect-text 1007 1\nexpect-text 1002 \"Bac de sortie central\"\n"
                        "type 1007 0\nclick 12321\nbox ok \"Cette valeur ne peut pas être enregistrée :\\n"
                        "copies: \\\"0\\\" is not a number from 1 to 999\"\n"
                        "type 1007 3\nselect 1002 3\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_TRUE(Has(shown, "copies: 3\ntray: 3 (finisher lower tray)\n")) << shown;
  ASSERT_EQ(Run({"print", "--output", path("copies.prn").string(), TELEQUILL_SOURCE_DIR "/examples/documents/lettre.pxl"})
                .status,
            0);
  EXPECT_TRUE(Has(ReadText(path("copies.prn")), "@PJL SET QTY=3\n"));
  run = Properties("page 1000\nexpect-text 1007 3\nexpect-text 1002 \"Bac inférieur du module de finition\"\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
}

TEST_P(QlHostProperties, TheFaxModuleSwitchedOffHidesTheFaxOptionsAtTheNextOpening) {
  auto run = Properties("page 6500\nexpect-checked 6509\nexpect-unchecked 6510\nclick 6509\nclick 6510\n"
                        "click 12321\nexpect-disabled 12321\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_TRUE(Has(shown, "fax-feature: 0\ng4: 1\n")) << shown;
  run = Properties("page 102\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(Has(run.err + Transcript(), "no page made from template 102")) << run.err;
  // Switched on again, the page is back.
  ASSERT_EQ(Properties("page 6500\nexpect-unchecked 6509\nclick 6509\nclick 1\n").status, 0) << Transcript();
  ASSERT_EQ(Properties("page 102\nexpect-checked 203\nclick 2\n").status, 0) << Transcript();
}

// The pages edit one working copy: the fax options follow the job type
// chosen on another page before anything is applied, each page shows what
// the others changed when it becomes active again, and OK keeps it all.
TEST_P(QlHostProperties, PagesShareOneWorkingCopyUntilOk) {
  ASSERT_EQ(Run({"settings", "set", "job-mode=print"}).status, 0);
  const auto run = Properties(
      "page 102\nexpect-disabled 202\n"
      "page 2000\nclick 2004\nexpect-enabled 12321\n"
      "page 102\nexpect-enabled 202\nclick 204\n"
      "page 2000\nexpect-checked 2004\n"
      "page 102\nexpect-checked 204\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_TRUE(Has(shown, "job-mode: fax")) << shown;
  EXPECT_TRUE(Has(FaxJob(), "@PJL TELQUL FAXRES = SUPERFINE\r\n"));
}

// "Aide" and F1 on each of the host's pages open the page's topic in the
// host's help file, which has a topic with text for every one of them.
TEST_P(QlHostProperties, EveryHostPageHasHelp) {
  const auto run = Properties(
      "page 1000\nexpect-enabled 9\nclick 9\nkey 1007 f1\n"
      "page 2000\nexpect-enabled 9\nclick 9\n"
      "page 6500\nexpect-enabled 9\nclick 9\nkey 12320 f1\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string help = "qlhost.HLP";  // the transcript names it without its folder
  const std::string html = ReadText(std::string(TELEQUILL_BIN_DIR) + "/qlhost.html");
  for (int page : {1000, 2000, 6500}) {  // paper, job type, installable options
    EXPECT_TRUE(Has(Transcript(), "help \"" + help + "\" context " + std::to_string(page) + "\n")) << Transcript();
    const std::size_t topic = html.find("<h2 id=\"context-" + std::to_string(page) + "\">");
    ASSERT_NE(topic, std::string::npos) << page;
    const std::size_t next = html.find("<h2", topic + 1);
    EXPECT_LT(html.find("<p>", topic), next) << page << " has a heading but no text";
  }
  // F1 in the copies field and on the tab row ask for the page's topic too.
  const std::string transcript = Transcript();
  EXPECT_NE(transcript.find("context 1000\n"), transcript.rfind("context 1000\n")) << transcript;
  EXPECT_NE(transcript.find("context 6500\n"), transcript.rfind("context 6500\n")) << transcript;
}

// The paper page from the keyboard: the copies spinner steps within its
// range with Up and Down, the paper size list and the orientation are
// filled and kept, and the job is printed so.
TEST_P(QlHostProperties, PaperPageSizesOrientationAndCopiesSpinner) {
  ASSERT_EQ(Run({"settings", "set", "copies=998"}).status, 0);
  const auto run = Properties(
      "page 1000\nexpect-checked 1003\nexpect-unchecked 1004\n"
      "expect-selected 1001 1\n"  // A4, the second size of the list
      "key 1007 up\nkey 1007 up\nexpect-text 1007 999\n"
      "key 1007 down\nexpect-text 1007 998\n"
      "selecttext 1001 \"A5 (148 x 210 mm)\"\nclick 1004\nexpect-enabled 12321\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.err << Transcript();
  const std::string shown = Run({"settings", "show"}).out;
  EXPECT_TRUE(Has(shown, "copies: 998\n")) << shown;
  EXPECT_TRUE(Has(shown, "paper-size: a5\n")) << shown;
  EXPECT_TRUE(Has(shown, "orientation: landscape\n")) << shown;
}

INSTANTIATE_TEST_SUITE_P(Faces, QlHostProperties, ::testing::Values(FaceKind::Headless, FaceKind::Qt),
                         [](const auto& info) { return info.param == FaceKind::Qt ? "Qt" : "Headless"; });

}  // namespace
}  // namespace tq::host::testing
