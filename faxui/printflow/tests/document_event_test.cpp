// The document-event hook on paths without the prompt's dialogs: the events
// it leaves alone, the fax point's conditions, the account user, the print
// job's announcement, the names kept per document, and a cancelled prompt.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "fake_job.h"
#include "monitor_test_support.h"
#include "printflow/account_user.h"
#include "printflow/document_event.h"
#include "testing/temp_root.h"

namespace {

using namespace tq::faxui;
using printflow_test::Announcements;
using printflow_test::FakeJob;
using printflow_test::MonitorCalls;
using Calls = std::vector<std::string>;

int recipientDialogRuns = 0;
INT_PTR CancelRecipients(HWND, PromptSession&) {
  ++recipientDialogRuns;
  return 0;
}

class DocumentEvent : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("TELEQUILL_UI", "headless", 1);  // message boxes take their default answer
    recipientDialogRuns = 0;
  }

  static std::int32_t Raise(FakeJob& job, int event, const char16_t* docName = nullptr) {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = docName;
    const DOCINFOW* address = &info;
    const bool start = event == DOCUMENTEVENT_STARTDOC;
    return HandleDocumentEvent(&job.device, job.printer, job.dc, event, start ? sizeof address : 0,
                               start ? &address : nullptr, CancelRecipients);
  }

  void InstallMonitor() {
    const std::string library = printflow_test::StandInLibrary("VqrApi");
    printflow_test::RegisterMonitor(library, library);
  }

  static std::string AccountUser(FakeJob& job) {
    return reinterpret_cast<const char*>(job.PrivateArea() + tq::hsb::priv::kAccountUser);
  }
};

TEST_F(DocumentEvent, EventsLeftAlone) {
  FakeJob job;
  for (int event : {DOCUMENTEVENT_CREATEDCPRE, DOCUMENTEVENT_CREATEDCPOST, DOCUMENTEVENT_ENDPAGE, 42}) {
    EXPECT_EQ(Raise(job, event), 1) << event;
  }
  EXPECT_EQ(job.escapes, 0);

  FakeJob foreign;
  foreign.table.addOnId = 77;  // not the fax add-on
  EXPECT_EQ(Raise(foreign, DOCUMENTEVENT_STARTPAGE), 1);
  EXPECT_EQ(foreign.escapes, 0);
}

TEST_F(DocumentEvent, FaxPointOnlyWhenTheHostSaysSoAndTheJobAllows) {
  FakeJob notThisPage;
  notThisPage.faxPointAnswer = 0;
  notThisPage.SetField(tq::hsb::kJobMode, tq::hsb::kJobModeFax);
  EXPECT_EQ(Raise(notThisPage, DOCUMENTEVENT_STARTPAGE), 1);
  EXPECT_EQ(notThisPage.escapes, 1) << "only the question";

  FakeJob skipped;
  skipped.SetField(tq::hsb::kJobMode, tq::hsb::kJobModeFax);
  tq::hsb::SetField(skipped.settings.data() + FakeJob::kJobState, tq::hsb::jobstate::kSkipFaxFlow, 1);
  EXPECT_EQ(Raise(skipped, DOCUMENTEVENT_STARTPAGE), 1);
  EXPECT_EQ(skipped.writes, 0);
  EXPECT_EQ(recipientDialogRuns, 0);
  EXPECT_EQ(AccountUser(skipped), "");
}

TEST_F(DocumentEvent, EmptyAccountUserIsFilledAndWrittenBack) {
  FakeJob job;  // a print job: no prompt
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTPAGE), 1);
  char expected[32] = {};
  ComposeAccountUserOfCaller(expected);
  EXPECT_EQ(AccountUser(job), expected);
  EXPECT_NE(AccountUser(job).find('\\'), std::string::npos);
  EXPECT_EQ(job.writes, 2) << "once for the account user, once at the end of the print job";
}

TEST_F(DocumentEvent, CancelledPromptAbortsTheJobAndWritesNothing) {
  FakeJob job;
  job.SetField(tq::hsb::kJobMode, tq::hsb::kJobModeFax);
  std::strcpy(reinterpret_cast<char*>(job.PrivateArea() + tq::hsb::priv::kAccountUser), "host\\set");
  InstallMonitor();
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTDOC, u"Devis"), 1);
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTPAGE), -1);
  EXPECT_EQ(recipientDialogRuns, 1);
  EXPECT_EQ(job.aborts, 1);
  EXPECT_EQ(job.writes, 0) << "an account user already set is not written back, nor the cancelled job";
  EXPECT_EQ(AccountUser(job), "host\\set");
  EXPECT_EQ(job.Send().recipients.count, 0);
  EXPECT_TRUE(Announcements(root()).empty());
  // The monitor was off: it is never asked.
  EXPECT_TRUE(MonitorCalls(root()).empty());
}

TEST_F(DocumentEvent, CancelledPromptWithTheMonitorOnAnnouncesNothing) {
  FakeJob job;
  job.SetField(tq::hsb::kJobMode, tq::hsb::kJobModeFax);
  job.SetField(tq::hsb::kDocumentMonitor, 1);
  InstallMonitor();
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTDOC, u"Devis"), 1);
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTPAGE), -1);
  EXPECT_EQ(MonitorCalls(root()),
            (Calls{"VqrInitializeLedgra", "VqrCreateClientId", "VqrCreateJobId", "VqrUnInitializeLedgra"}));
  EXPECT_TRUE(Announcements(root()).empty());
}

TEST_F(DocumentEvent, PrintJobIsAnnouncedWithItsTrayAndCopies) {
  FakeJob job;
  job.SetField(tq::hsb::kDocumentMonitor, 1);
  job.SetField(tq::hsb::kOutputTray, 1);
  job.SetField(tq::hsb::kHostCount, 2);
  InstallMonitor();
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTDOC, u"Relevé été"), 1);
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTPAGE), 1);
  EXPECT_STREQ(job.Options().clientId, "TQCLIENT.J0001") << "written back with the settings";
  const auto announcements = Announcements(root());
  ASSERT_EQ(announcements.size(), 1u);
  const std::string& line = announcements[0];
  for (const char* field : {"\"kind\":0,", "\"documentName\":\"Relev\xC3\xA9 \xC3\xA9t\xC3\xA9\"",
                            "\"recipientSummary\":\"\",\"numberSummary\":\"\",\"copies\":1,",
                            "\"trayName\":\"Bac r\xC3\xA9" "cepteur lat\xC3\xA9ral\"", "\"jobId\":\"J0001\"",
                            "\"portName\":\"IP_10.0.0.5\",\"printerName\":\"Fax du bureau\""}) {
    EXPECT_NE(line.find(field), std::string::npos) << field << " in " << line;
  }
}

TEST_F(DocumentEvent, PrinterThatCannotTellLeavesTheNamesEmpty) {
  InstallMonitor();
  FakeJob job;
  job.SetField(tq::hsb::kDocumentMonitor, 1);
  tq::gdi::DeletePrinterHandle(job.printer);
  job.printer = nullptr;
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTDOC, u"Devis"), 1);
  EXPECT_EQ(Raise(job, DOCUMENTEVENT_STARTPAGE), 1);
  const auto announcements = Announcements(root());
  ASSERT_EQ(announcements.size(), 1u);
  EXPECT_NE(announcements[0].find("\"portName\":\"\",\"printerName\":\"\""), std::string::npos) << announcements[0];
}

TEST_F(DocumentEvent, EachDocumentKeepsItsOwnNames) {
  InstallMonitor();
  FakeJob first;
  FakeJob second;
  for (FakeJob* job : {&first, &second}) job->SetField(tq::hsb::kDocumentMonitor, 1);
  EXPECT_EQ(Raise(first, DOCUMENTEVENT_STARTDOC, u"Premier"), 1);
  EXPECT_EQ(Raise(second, DOCUMENTEVENT_STARTDOC, u"Second"), 1);
  EXPECT_EQ(Raise(first, DOCUMENTEVENT_STARTPAGE), 1);
  EXPECT_EQ(Raise(second, DOCUMENTEVENT_STARTPAGE), 1);
  const auto announcements = Announcements(root());
  ASSERT_EQ(announcements.size(), 2u);
  EXPECT_NE(announcements[0].find("\"documentName\":\"Premier\""), std::string::npos) << announcements[0];
  EXPECT_NE(announcements[1].find("\"documentName\":\"Second\""), std::string::npos) << announcements[1];
}

}  // namespace
