#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "common/host_settings.h"
#include "faxrender/job_writer.h"
#include "job_fixture.h"

namespace tq::render {
namespace {

using testing::FixedTimeString;
using testing::kFixedTime;
using testing::Put;
using testing::Recipient;
using testing::TestJob;

void Raise(TestJob& job, std::int32_t event, std::int32_t flag = 0,
           std::int32_t addOnId = kFaxAddOnId, TimeStringSource time = FixedTimeString) {
  WriteJobEvent(job.device(), job.output(), job.settings(), addOnId, event, flag, job.options(),
                time);
}


const std::string kStart = std::string("@PJL COMMENT - Job started at \"") + kFixedTime + "\"\r\n";
const std::string kEnd = std::string("@PJL COMMENT - Job ended at \"") + kFixedTime + "\"\r\n";

// ---- Job start and end ------------------------------------------------------

TEST(JobStart, TimeCommentAndAccountUser) {
  TestJob job;
  job.SetAccountUser("jdupont");
  Raise(job, kEventJobStart);
  EXPECT_EQ(job.written(), kStart + "@PJL JOBINFO ACCTUSER=\"@jdupont\"\r\n");
}

TEST(JobStart, ClientIdOnlyWithTheDocumentMonitorAndAnIdentifier) {
  TestJob job;
  Put(job.options()->clientId, "CL01.4711");
  Raise(job, kEventJobStart);
  EXPECT_EQ(job.written().find("JOBCLIENTID"), std::string::npos);

  TestJob monitored;
  monitored.SetField(hsb::kDocumentMonitor, 1);
  Put(monitored.options()->clientId, "CL01.4711");
  Raise(monitored, kEventJobStart);
  EXPECT_EQ(monitored.written(),
            kStart + "@PJL JOBINFO ACCTUSER=\"@\"\r\n@PJL JOBINFO JOBCLIENTID = CL01.4711\r\n");

  TestJob empty;
  empty.SetField(hsb::kDocumentMonitor, 1);
  Raise(empty, kEventJobStart);
  EXPECT_EQ(empty.written().find("JOBCLIENTID"), std::string::npos);
}

TEST(JobStart, AccountUserFillingItsWholeSlotIsNotReadFurther) {
  TestJob job;
  job.SetAccountUser(std::string(40, 'u'));  // cut to the 32-byte slot
  job.SetPrivateField(hsb::priv::kAccountUser + hsb::priv::kAccountUserSize, 0x58585858);
  Raise(job, kEventJobStart);
  EXPECT_EQ(job.written(), kStart + "@PJL JOBINFO ACCTUSER=\"@" + std::string(32, 'u') + "\"\r\n");
}

TEST(JobEnd, BothEndEventsWriteTheCommentWhateverTheFlag) {
  TestJob job;
  Raise(job, kEventJobEnd, 1);
  Raise(job, kEventJobEndLast, 0);
  EXPECT_EQ(job.written(), kEnd + kEnd);
}

TEST(WriteHook, SetFlagOtherIdentifierOrUnknownEventWriteNothing) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeSecure);
  Raise(job, kEventJobStart, 1);
  Raise(job, kEventJobSettings, 1);
  Raise(job, kEventJobEnd, 0, 1389);
  Raise(job, 4);
  Raise(job, -1);
  EXPECT_EQ(job.written(), "");
}

TEST(WriteHook, DeviceWithoutTheFaxAddOnWritesNothing) {
  TestJob job;
  job.device()->addOnCount = 0;
  Raise(job, kEventJobStart);
  Raise(job, kEventJobEnd);
  EXPECT_EQ(job.written(), "");
}

TEST(WriteHook, EndCommentNeedsNoSettings) {
  TestJob job;
  WriteJobEvent(job.device(), job.output(), nullptr, kFaxAddOnId, kEventJobEnd, 0, nullptr,
                FixedTimeString);
  WriteJobEvent(job.device(), job.output(), nullptr, kFaxAddOnId, kEventJobStart, 0, nullptr,
                FixedTimeString);
  EXPECT_EQ(job.written(), kEnd);
}

TEST(WriteHook, EachPieceIsOneWriteCall) {
  TestJob job;
  job.SetAccountUser("ab");
  Raise(job, kEventJobStart);
  EXPECT_EQ(job.writeCalls(), 6);  // prefix, time, end; prefix, user, end
}

// ---- Secure and sample print ---------------------------------------------------

TEST(HoldSettings, SecureJobTakesFirst24BytesOfTheJobsDocumentName) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeSecure);
  Put(job.options()->userId, "MARIE");
  Put(job.options()->password, "4321");
  job.SetOutputDocName("Rapport annuel 2026 - final.doc");  // 31 characters
  Raise(job, kEventJobSettings);
  EXPECT_EQ(job.written(),
            "@PJL SET USERNAME=\"MARIE\"\r\n"
            "@PJL SET JOBNAME=\"Rapport annuel 2026 - fi\"\r\n"
            "@PJL SET HOLDKEY=\"4321\"\r\n"
            "@PJL SET HOLD=STORE\r\n");
}

TEST(HoldSettings, OwnDocumentNameWinsOverTheJobs) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeSecure);
  Put(job.options()->docName, "Contrat");
  job.SetOutputDocName("Document sans titre");
  Raise(job, kEventJobSettings);
  EXPECT_NE(job.written().find("@PJL SET JOBNAME=\"Contrat\"\r\n"), std::string::npos);
}

TEST(HoldSettings, SampleJobHasNoPasswordAndAlwaysItsCopiesLine) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeSample);
  job.SetField(hsb::kCopies, 3);
  job.SetPrivateField(hsb::priv::kCopiesFlag, 1);
  Put(job.options()->userId, "MARIE");
  Put(job.options()->password, "4321");
  job.SetOutputDocName("Devis");
  Raise(job, kEventJobSettings);
  EXPECT_EQ(job.written(),
            "@PJL SET USERNAME=\"MARIE\"\r\n"
            "@PJL SET JOBNAME=\"Devis\"\r\n"
            "@PJL SET HOLD=PROOF\r\n"
            "@PJL SET QTY=3\n");
}

TEST(HoldSettings, UnterminatedSlotsAreCutAtTheirSize) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeSecure);
  FaxOptionsBlock& options = *job.options();
  std::memset(options.userId, 'U', sizeof options.userId);
  std::memset(options.password, 'P', sizeof options.password);
  std::memset(options.docName, 'D', sizeof options.docName);
  Raise(job, kEventJobSettings);
  EXPECT_EQ(job.written(), "@PJL SET USERNAME=\"" + std::string(24, 'U') + "\"\r\n" +
                               "@PJL SET JOBNAME=\"" + std::string(24, 'D') + "\"\r\n" +
                               "@PJL SET HOLDKEY=\"PPPP\"\r\n@PJL SET HOLD=STORE\r\n");
}

// ---- Copies -------------------------------------------------------------------

TEST(Copies, WrittenOnlyWhenTheRuleHolds) {
  struct Case {
    const char* what;
    int copiesFlag, hostFlag, flag684, hostCount, flag676, tray, copies;
    bool written;
  };
  const Case cases[] = {
      {"nothing set", 1, 0, 0, 0, 0, 0, 1, false},
      {"host flag", 1, 1, 0, 0, 0, 0, 5, true},
      {"host flag without private flag", 0, 1, 0, 0, 0, 0, 5, false},
      {"684 with count and one copy", 1, 0, 1, 2, 0, 0, 1, true},
      {"684 with count 0", 1, 0, 1, 0, 0, 0, 1, false},
      {"684 with two copies", 1, 0, 1, 2, 0, 0, 2, false},
      {"676 on side tray, one copy", 1, 0, 0, 0, 1, 1, 1, true},
      {"676 on centre tray", 1, 0, 0, 0, 1, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestJob job;
    job.SetPrivateField(hsb::priv::kCopiesFlag, c.copiesFlag);
    job.SetField(hsb::kCopiesHostFlag, c.hostFlag);
    job.SetPrivateField(hsb::priv::kCopiesFlag684, c.flag684);
    job.SetField(hsb::kHostCount, c.hostCount);
    job.SetPrivateField(hsb::priv::kCopiesFlag676, c.flag676);
    job.SetField(hsb::kOutputTray, c.tray);
    job.SetField(hsb::kCopies, c.copies);
    Raise(job, kEventJobSettings);
    EXPECT_EQ(job.written(),
              c.written ? "@PJL SET QTY=" + std::to_string(c.copies) + "\n" : std::string());
  }
}

TEST(Copies, FaxJobNeverGetsQty) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  job.SetPrivateField(hsb::priv::kCopiesFlag, 1);
  job.SetField(hsb::kCopiesHostFlag, 1);
  job.AddRecipient(Recipient("0123"));
  Raise(job, kEventJobSettings);
  EXPECT_EQ(job.written().find("QTY"), std::string::npos);
  EXPECT_FALSE(CopiesLineWanted(job.settings()));
}

// ---- Fax lines ----------------------------------------------------------------

TEST(FaxLines, TwoRecipientsFineOnErrorHeaderOn) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  job.AddRecipient(Recipient("01-23-45-ABC"));
  EntryRecord speedDial = Recipient("12");
  speedDial.speedDialFlag = 1;
  job.AddRecipient(speedDial);
  Raise(job, kEventJobSettings);
  EXPECT_EQ(job.written(),
            "@PJL TELQUL FAXNUM = 01-23-45-222{20}{30}\n"
            "@PJL TELQUL FAXNUM = '12'\n"
            "@PJL TELQUL FAXRES = FINE\r\n"
            "@PJL TELQUL TXRPT = ONERROR\r\n"
            "@PJL TELQUL TXHDR = ON\n");
}

TEST(FaxLines, OptionsAndDelayedSend) {
  struct Case {
    int resolution, report, header, hour, minute;
    const char* tail;
  };
  const Case cases[] = {
      {0, 0, 0, 23, 59, "FAXRES = NORMAL\r\n@PJL TELQUL TXRPT = ON\r\n@PJL TELQUL TXHDR = OFF\n"
                        "@PJL TELQUL DELAYSEND = 23:59\n"},
      {2, 2, 1, 0, 0, "FAXRES = SUPERFINE\r\n@PJL TELQUL TXRPT = OFF\r\n@PJL TELQUL TXHDR = ON\n"
                      "@PJL TELQUL DELAYSEND = 00:00\n"},
      {3, 1, 1, 7, 5, "FAXRES = ULTRAFINE\r\n@PJL TELQUL TXRPT = ONERROR\r\n@PJL TELQUL TXHDR = ON\n"
                      "@PJL TELQUL DELAYSEND = 07:05\n"},
      // Only a damaged settings file holds these: the default texts are sent.
      {7, -1, 1, 12, 30, "FAXRES = FINE\r\n@PJL TELQUL TXRPT = ONERROR\r\n@PJL TELQUL TXHDR = ON\n"
                         "@PJL TELQUL DELAYSEND = 12:30\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    TestJob job;
    job.SetField(hsb::kJobMode, hsb::kJobModeFax);
    job.options()->resolution = c.resolution;
    job.options()->report = c.report;
    job.options()->header = c.header;
    job.send()->delayedSend = 1;
    job.send()->sendHour = c.hour;
    job.send()->sendMinute = c.minute;
    job.AddRecipient(Recipient("0"));
    Raise(job, kEventJobSettings);
    EXPECT_EQ(job.written(), std::string("@PJL TELQUL FAXNUM = 0{20}{30}\n@PJL TELQUL ") + c.tail);
  }
}

TEST(FaxLines, EmptySendBlockWritesNoFaxLine) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  job.send()->delayedSend = 1;
  Raise(job, kEventJobSettings);
  EXPECT_EQ(job.written(), "");
}

TEST(FaxLines, DamagedRecipientCountStopsAtFiftySlots) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  for (int i = 0; i < kMaxRecipients; ++i) job.AddRecipient(Recipient(std::to_string(i)));
  job.send()->recipients.count = 1000;
  Raise(job, kEventJobSettings);
  std::size_t lines = 0;
  for (std::size_t at = job.written().find("FAXNUM"); at != std::string::npos;
       at = job.written().find("FAXNUM", at + 1))
    ++lines;
  EXPECT_EQ(lines, static_cast<std::size_t>(kMaxRecipients));
  EXPECT_NE(job.written().find("FAXNUM = 49{20}{30}\n@PJL TELQUL FAXRES"), std::string::npos);

  TestJob negative;
  negative.SetField(hsb::kJobMode, hsb::kJobModeFax);
  negative.send()->recipients.count = -3;
  Raise(negative, kEventJobSettings);
  EXPECT_EQ(negative.written(), "");
}

// ---- A whole fax job ------------------------------------------------------------

TEST(WholeJob, FaxJobWithEverySendModeAndDelayedSend) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  job.SetField(hsb::kDocumentMonitor, 1);
  job.SetAccountUser("jdupont");
  Put(job.options()->clientId, "CL01.4711");
  job.options()->resolution = kResSuperfine;
  job.options()->report = kReportNever;
  job.options()->header = 0;
  job.send()->delayedSend = 1;
  job.send()->sendHour = 7;
  job.send()->sendMinute = 5;

  job.AddRecipient(Recipient("01-23-45-ABC"));

  EntryRecord relay = Recipient("0472");
  relay.transmissionMode = 1;
  relay.sendMode = '1';
  Put(relay.relayTerminalId, "7");
  relay.printOnRelay = '1';
  relay.destinationCount = 2;
  std::memcpy(relay.destinationIds, "012003", 6);
  job.AddRecipient(relay);

  EntryRecord mailbox = Recipient("0388");
  mailbox.transmissionMode = 2;
  mailbox.sendMode = '4';
  Put(mailbox.mailboxId, "5");
  Put(mailbox.mailboxPassword, "1234");
  Put(mailbox.fCode, "555");
  Put(mailbox.fCodePassword, "66");
  job.AddRecipient(mailbox);

  EntryRecord speedDial = Recipient("12");
  speedDial.speedDialFlag = 1;
  job.AddRecipient(speedDial);

  Raise(job, kEventJobStart);
  Raise(job, kEventJobSettings);
  Raise(job, kEventJobEnd);
  Raise(job, kEventJobEndLast);
  EXPECT_EQ(job.written(),
            "@PJL COMMENT - Job started at \"Time 9:05:07\"\r\n"
            "@PJL JOBINFO ACCTUSER=\"@jdupont\"\r\n"
            "@PJL JOBINFO JOBCLIENTID = CL01.4711\r\n"
            "@PJL TELQUL FAXNUM = 01-23-45-222{20}{30}\n"
            "@PJL TELQUL FAXNUM = 0472{10007100120003}{20}{32}\n"
            "@PJL TELQUL FAXNUM = 0388{20}{34}{400051234}{5555}{666}\n"
            "@PJL TELQUL FAXNUM = '12'\n"
            "@PJL TELQUL FAXRES = SUPERFINE\r\n"
            "@PJL TELQUL TXRPT = OFF\r\n"
            "@PJL TELQUL TXHDR = OFF\n"
            "@PJL TELQUL DELAYSEND = 07:05\n"
            "@PJL COMMENT - Job ended at \"Time 9:05:07\"\r\n"
            "@PJL COMMENT - Job ended at \"Time 9:05:07\"\r\n");
}

// ---- Two jobs at once ---------------------------------------------------------

// Hands the turn between the two rendering threads. Waits are bounded so a
// fault cannot hang the suite.
class Baton {
 public:
  static constexpr int kDone = -1;

  // Gives the turn to `next` and waits until it comes back to `self` or the
  // work is done; false when it does not come back in time.
  bool Pass(int self, int next) {
    Give(next);
    return Await(self);
  }
  bool Await(int self) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(30),
                             [&] { return turn_ == self || turn_ == kDone; });
  }
  bool Done() {
    std::lock_guard lock(mutex_);
    return turn_ == kDone;
  }
  void Give(int next) {
    std::lock_guard lock(mutex_);
    turn_ = next;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int turn_ = 0;
};

int AfternoonTimeString(char* destination, std::size_t size) {
  return FormatTimeString(destination, size, 14, 30, 0);
}

void RenderWholeJob(TestJob& job, TimeStringSource time) {
  Raise(job, kEventJobStart, 0, kFaxAddOnId, time);
  Raise(job, kEventJobSettings, 0, kFaxAddOnId, time);
  Raise(job, kEventJobEnd, 0, kFaxAddOnId, time);
}

void PrepareFaxJob(TestJob& job, const char* number, int hour, int minute) {
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  job.AddRecipient(Recipient(number));
  job.send()->delayedSend = 1;
  job.send()->sendHour = hour;
  job.send()->sendMinute = minute;
}

// Job A stops at every command prefix it writes, after its value text has
// been built but before that text is written, and job B renders a whole job
// on its own thread meanwhile. Texts kept in storage shared by the module
// would reach A's stream with B's values.
TEST(Concurrency, TwoJobsOnTwoThreadsKeepTheirOwnTexts) {
  TestJob a;
  TestJob b;
  PrepareFaxJob(a, "11111111111111111111", 1, 11);
  PrepareFaxJob(b, "22222222222222222222", 22, 22);
  TestJob aAlone;
  TestJob bAlone;
  PrepareFaxJob(aAlone, "11111111111111111111", 1, 11);
  PrepareFaxJob(bAlone, "22222222222222222222", 22, 22);
  RenderWholeJob(aAlone, FixedTimeString);
  RenderWholeJob(bAlone, AfternoonTimeString);

  Baton baton;
  constexpr int kA = 0, kB = 1;
  int pauses = 0;
  bool inTime = true;
  a.OnWrite([&](std::string_view piece) {
    if (piece.substr(0, 4) != "@PJL") return;
    ++pauses;
    inTime = baton.Pass(kA, kB) && inTime;
  });
  std::thread second([&] {
    while (baton.Await(kB) && !baton.Done()) {
      RenderWholeJob(b, AfternoonTimeString);
      baton.Give(kA);
    }
  });
  std::thread first([&] {
    RenderWholeJob(a, FixedTimeString);
    baton.Give(Baton::kDone);
  });
  first.join();
  second.join();

  EXPECT_TRUE(inTime);
  EXPECT_GE(pauses, 6);
  EXPECT_EQ(a.written(), aAlone.written());
  std::string bExpected;
  for (int i = 0; i < pauses; ++i) bExpected += bAlone.written();
  EXPECT_EQ(b.written(), bExpected);
}

}  // namespace
}  // namespace tq::render
