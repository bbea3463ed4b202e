// Fax jobs end to end: qlhost prints through the plug-in's document-event
// hook, an automation script answers the recipient dialog and the
// confirmation prompt on the headless face, and the transcript and the fax
// lines of the PJL stream are compared with what they must be.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testing/temp_root.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;
using Lines = std::vector<std::string>;

// The recipient dialog's part of every script: Dupont at 0123, OK.
const char kOneRecipient[] =
    "dialog 101\n"
    "type 1001 Dupont\n"
    "type 1004 0123\n"
    "click 1006\n"
    "click 1\n"
    "dialog 108\n";

const char kCancelledBox[] =
    "box warning ok \"Annulation de la télécopie\" \"Votre envoi de télécopie a été annulé !\" -> ok";

struct Job {
  int status = -1;
  std::string error;
  Lines transcript;
  Lines faxLines;  // the stream's "@PJL TELQUL" lines
  bool printed = false;
};

Lines SplitLines(const std::string& text, const std::string& prefix = {}) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

class FaxPrompt : public tq::testing::TempRoot {
 protected:
  Job Print(const std::string& script, std::vector<std::string> extra = {}) {
    WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\n");
    WriteText(path("script.txt"), script);
    std::filesystem::remove(path("t.txt"));
    std::vector<std::string> args = {"print", "--job", "fax", "--ui", "script:" + path("script.txt").string(),
                                     "--output", path("out.prn").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(path("doc.pxl").string());
    const auto run = tq::testing::RunProgram("qlhost", args, {"TELEQUILL_TRANSCRIPT=" + path("t.txt").string()});
    Job job;
    job.status = run.status;
    job.error = run.err;
    job.transcript = SplitLines(ReadText(path("t.txt")));
    job.printed = std::filesystem::exists(path("out.prn"));
    if (job.printed) job.faxLines = SplitLines(ReadText(path("out.prn")), "@PJL TELQUL");
    return job;
  }

  // The prompt's transcript when both dialogs end with OK, with the beeps
  // the time fields gave in between.
  static Lines Confirmed(int beeps) {
    Lines lines = {"dialog 101 open \"Destinataire du fax\"", "dialog 101 end 1",
                   "dialog 108 open \"Confirmation de télécopie\""};
    for (int i = 0; i < beeps; ++i) lines.push_back("beep");
    lines.push_back("dialog 108 end 1");
    return lines;
  }
};

TEST_F(FaxPrompt, HourFieldKeepsDigitsAndRefusesPast23) {
  const Job job = Print(std::string(kOneRecipient) +
                        "click 803\n"
                        "type 804 7a\n"
                        "expect-text 804 7\n"
                        "settext 804 25\n"
                        "expect-text 804 7\n"
                        "type 804 23\n"
                        "expect-text 804 23\n"
                        "click 801\n");
  ASSERT_EQ(job.status, 0) << job.error;
  EXPECT_EQ(job.transcript, Confirmed(2));
  EXPECT_EQ(job.faxLines, (Lines{"@PJL TELQUL FAXNUM = 0123{20}{30}", "@PJL TELQUL FAXRES = FINE",
                                 "@PJL TELQUL TXRPT = ONERROR", "@PJL TELQUL TXHDR = ON",
                                 "@PJL TELQUL DELAYSEND = 23:00"}));
}

TEST_F(FaxPrompt, MinuteFieldRefusesPast59) {
  const Job job = Print(std::string(kOneRecipient) +
                        "click 803\n"
                        "type 804 7\n"
                        "settext 805 60\n"
                        "expect-text 805 0\n"
                        "type 805 59\n"
                        "click 801\n");
  ASSERT_EQ(job.status, 0) << job.error;
  EXPECT_EQ(job.transcript, Confirmed(1));
  ASSERT_FALSE(job.faxLines.empty());
  EXPECT_EQ(job.faxLines.back(), "@PJL TELQUL DELAYSEND = 07:59");
}

TEST_F(FaxPrompt, DelayedSendLeftAtZeroSendsAtMidnight) {
  const Job job = Print(std::string(kOneRecipient) +
                        "expect-disabled 804\n"
                        "expect-disabled 805\n"
                        "click 803\n"
                        "expect-enabled 804\n"
                        "expect-text 804 00\n"
                        "click 801\n");
  ASSERT_EQ(job.status, 0) << job.error;
  ASSERT_FALSE(job.faxLines.empty());
  EXPECT_EQ(job.faxLines.back(), "@PJL TELQUL DELAYSEND = 00:00");
}

TEST_F(FaxPrompt, FieldsAreNotFilteredWhileTheBoxIsUnchecked) {
  // Typed then unchecked: the accepted hour stays, the flag goes, and
  // nothing is delayed.
  const Job job = Print(std::string(kOneRecipient) +
                        "click 803\n"
                        "type 804 9\n"
                        "click 803\n"
                        "expect-disabled 804\n"
                        "click 801\n");
  ASSERT_EQ(job.status, 0) << job.error;
  EXPECT_EQ(job.transcript, Confirmed(0));
  for (const auto& line : job.faxLines) EXPECT_EQ(line.find("DELAYSEND"), std::string::npos) << line;
}

TEST_F(FaxPrompt, RecipientLinesAndEscapeIgnored) {
  const Job job = Print(
      "dialog 101\n"
      "type 1001 Dupont\n"
      "type 1004 0123\n"
      "click 1006\n"
      "type 1001 Siège\n"
      "click 1027\n"
      "type 1004 12\n"
      "click 1006\n"
      "click 1\n"
      "dialog 108\n"
      "expect-lines 800 \"Dupont <0123>\" \"Siège <'012'>\"\n"
      "key 801 escape\n"
      "dialog 108\n"
      "expect-caption \"Confirmation de télécopie\"\n"
      "click 801\n");
  ASSERT_EQ(job.status, 0) << job.error;
  EXPECT_EQ(job.transcript, Confirmed(0)) << "Escape closed nothing";
  ASSERT_GE(job.faxLines.size(), 2u);
  EXPECT_EQ(job.faxLines[0], "@PJL TELQUL FAXNUM = 0123{20}{30}");
  EXPECT_EQ(job.faxLines[1].rfind("@PJL TELQUL FAXNUM = ", 0), 0u) << job.faxLines[1];
  EXPECT_NE(job.faxLines[1].find("012"), std::string::npos) << job.faxLines[1];
}

TEST_F(FaxPrompt, HelpOpensAtItsContextAndClosesWithTheDialog) {
  const Job job = Print(std::string(kOneRecipient) + "click 806\nclick 801\n");
  ASSERT_EQ(job.status, 0) << job.error;
  ASSERT_EQ(job.transcript.size(), 6u);
  const std::string opened = job.transcript[3];
  const std::string closed = job.transcript[4];
  EXPECT_EQ(opened.rfind("help \"", 0), 0u) << opened;
  EXPECT_NE(opened.find("qlhelpn.HLP\" context 15609"), std::string::npos) << opened;
  EXPECT_NE(closed.find("qlhelpn.HLP\" quit"), std::string::npos) << closed;
  EXPECT_EQ(job.transcript[5], "dialog 108 end 1");
}

TEST_F(FaxPrompt, CancelInEitherDialogAbortsTheJob) {
  struct Case {
    const char* what;
    std::string script;
    Lines dialogs;
  };
  const Case cases[] = {
      {"Annuler in the recipient dialog", "dialog 101\nclick 2\nbox ok\n",
       {"dialog 101 open \"Destinataire du fax\"", "dialog 101 end 0"}},
      {"Abandonner in the confirmation", std::string(kOneRecipient) + "click 803\ntype 804 12\nclick 802\nbox ok\n",
       {"dialog 101 open \"Destinataire du fax\"", "dialog 101 end 1",
        "dialog 108 open \"Confirmation de télécopie\"", "dialog 108 end 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(path("out.prn"));
    const Job job = Print(c.script);
    EXPECT_EQ(job.status, 1) << job.error;
    EXPECT_FALSE(job.printed) << "a cancelled job writes no output";
    Lines expected = c.dialogs;
    expected.push_back("beep");
    expected.push_back(kCancelledBox);
    EXPECT_EQ(job.transcript, expected);
  }
}

TEST_F(FaxPrompt, AnnouncedToTheMonitorWithTheClientIdentifier) {
  const auto install = tq::testing::RunProgram("qlhost", {"monitor", "install"});
  ASSERT_EQ(install.status, 0) << install.err;
  const Job job = Print(
      "dialog 101\n"
      "type 1001 Dupont\n"
      "type 1004 0123\n"
      "click 1006\n"
      "type 1001 Martin\n"
      "type 1004 0456\n"
      "click 1006\n"
      "click 1\n"
      "dialog 108\n"
      "click 801\n",
      {"--monitor", "on", "--doc-name", "Devis 12"});
  ASSERT_EQ(job.status, 0) << job.error;
  EXPECT_NE(ReadText(path("out.prn")).find("TQCLIENT.J0001"), std::string::npos)
      << "the client identifier reaches the render plug-in";
  const Lines announcements = SplitLines(ReadText(root() / "monitor" / "announcements.jsonl"));
  ASSERT_EQ(announcements.size(), 1u);
  for (const char* field : {"\"portName\":\"FILE:\",\"printerName\":\"Telequill Fax\"", "\"kind\":1,",
                            "\"jobId\":\"J0001\"", "\"documentName\":\"Devis 12\"",
                            "\"recipientSummary\":\"Dupont and 1 others\"", "\"numberSummary\":\"0123 ...\"",
                            "\"copies\":0,", "\"trayName\":\"\""}) {
    EXPECT_NE(announcements[0].find(field), std::string::npos) << field << " in " << announcements[0];
  }
  EXPECT_EQ(SplitLines(ReadText(root() / "monitor" / "calls.log")),
            (Lines{"VqrInitializeLedgra", "VqrCreateClientId", "VqrCreateJobId", "VqrSetVqrDataEx", "VqrExecLedgra",
                   "VqrUnInitializeLedgra"}));
}

}  // namespace
