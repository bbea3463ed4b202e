// The fax point when the user confirms, in one process whose face runs a
// script: the send block gets the recipients and the delayed send, and a
// host that refuses the new settings gets the job cancelled rather than
// sent without its recipients.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "fake_job.h"
#include "printflow/document_event.h"
#include "printflow/resources.h"
#include "testing/temp_root.h"
#include "win/face.h"

namespace {

using namespace tq::faxui;
using printflow_test::FakeJob;

// Dialog 101 stands in here: it puts Dupont at 0123 in the list.
INT_PTR ChooseDupont(HWND, PromptSession& session) {
  tq::EntryRecord& record = session.recipients.block.records[0];
  record = tq::DefaultEntryRecord;
  std::strcpy(record.name, "Dupont");
  std::strcpy(record.faxNumber, "0123");
  session.recipients.block.count = 1;
  return 1;
}

class ConfirmedPrompt : public tq::testing::TempRoot {};

TEST_F(ConfirmedPrompt, SendBlockFilledOrJobCancelledWhenTheHostRefuses) {
  static const tq::res::ResourceScript script = PrintflowResources();
  tq::res::RegisterResources(nullptr, script);
  tq::testing::WriteText(path("script.txt"),
                         "dialog 108\n"
                         "expect-lines 800 \"Dupont <0123>\"\n"
                         "click 803\n"
                         "type 804 7\n"
                         "type 805 5\n"
                         "click 801\n"
                         "dialog 108\n"
                         "click 801\n"
                         "box ok \"Votre envoi de télécopie a été annulé !\"\n");
  setenv("TELEQUILL_TRANSCRIPT", path("t.txt").c_str(), 1);
  ASSERT_TRUE(tq::ui::UseFace("script:" + path("script.txt").string()));

  FakeJob accepted;
  accepted.SetField(tq::hsb::kJobMode, tq::hsb::kJobModeFax);
  EXPECT_EQ(HandleDocumentEvent(&accepted.device, accepted.printer, accepted.dc, DOCUMENTEVENT_STARTPAGE, 0,
                                nullptr, ChooseDupont),
            1);
  const tq::FaxSendBlock& send = accepted.Send();
  EXPECT_EQ(send.delayedSend, 1);
  EXPECT_EQ(send.sendHour, 7);
  EXPECT_EQ(send.sendMinute, 5);
  EXPECT_EQ(send.recipients.count, 1);
  EXPECT_STREQ(send.recipients.records[0].faxNumber, "0123");
  EXPECT_EQ(accepted.aborts, 0);

  FakeJob refusing;
  refusing.SetField(tq::hsb::kJobMode, tq::hsb::kJobModeFax);
  refusing.refuseWrites = true;
  EXPECT_EQ(HandleDocumentEvent(&refusing.device, refusing.printer, refusing.dc, DOCUMENTEVENT_STARTPAGE, 0,
                                nullptr, ChooseDupont),
            -1);
  EXPECT_EQ(refusing.aborts, 1);
  EXPECT_EQ(refusing.Send().recipients.count, 0);
  unsetenv("TELEQUILL_TRANSCRIPT");
}

}  // namespace
