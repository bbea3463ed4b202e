// Runs that must fail: the sample program under a script, as a subprocess,
// exits with status 3 and says why on standard error and in the transcript.
#include "testing/temp_root.h"

namespace {

class FailingRunTest : public tq::testing::TempRoot {
 protected:
  tq::testing::RunResult Run(const std::string& script) {
    tq::testing::WriteText(path("script.txt"), script);
    return tq::testing::RunProgram("tq_user_sample", {},
                                   {"TELEQUILL_UI=script:" + path("script.txt").string(),
                                    "TELEQUILL_TRANSCRIPT=" + path("transcript.txt").string()});
  }
  std::string Transcript() { return tq::testing::ReadText(path("transcript.txt")); }
};

}  // namespace

TEST_F(FailingRunTest, PassingScriptExitsNormally) {
  const auto run = Run("type 1001 12\nclick 1\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "started\n1\n");
}

TEST_F(FailingRunTest, FailedExpectTextGivesTheDifference) {
  const auto run = Run("type 1001 12\nexpect-text 1001 \"13\"\nclick 1\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("expected \"13\", found \"12\""), std::string::npos) << run.err;
  EXPECT_NE(Transcript().find("fail \""), std::string::npos) << Transcript();
  EXPECT_EQ(run.out, "started\n");  // the program did not get to its end
}

TEST_F(FailingRunTest, UnparsableLineStopsTheRunBeforeAnything) {
  const auto run = Run("type 1001 12\nclik 1\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("clik"), std::string::npos) << run.err;
  EXPECT_EQ(Transcript().find("dialog 100 open"), std::string::npos) << Transcript();
  EXPECT_EQ(run.out, "");  // stopped before the program's own first line
}

TEST_F(FailingRunTest, ScriptEndingWhileTheDialogWaitsFails) {
  const auto run = Run("type 1001 12\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("ended while dialog 100"), std::string::npos) << run.err;
}

TEST_F(FailingRunTest, UnexpectedMessageBoxFails) {
  const auto run = Run("click 1008\nclick 1\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("message box"), std::string::npos) << run.err;
}

TEST_F(FailingRunTest, AnswerWithoutABoxFails) {
  // The box answer comes where the dialog opens...
  auto run = Run("box ok\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("dialog 100 opened where the script expected a message box"), std::string::npos)
      << run.err;
  // ...or where the dialog waits for input.
  run = Run("type 1001 1\nbox ok\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("no message box is open"), std::string::npos) << run.err;
}

TEST_F(FailingRunTest, MissingControlIsNamed) {
  const auto run = Run("click 4242\n");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("no control 4242"), std::string::npos) << run.err;
}

TEST_F(FailingRunTest, UnknownFaceNamesTheWayToChoose) {
  tq::testing::WriteText(path("script.txt"), "");
  const auto run = tq::testing::RunProgram("tq_user_sample", {}, {"TELEQUILL_UI=curses"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--ui"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("TELEQUILL_UI"), std::string::npos) << run.err;
}
