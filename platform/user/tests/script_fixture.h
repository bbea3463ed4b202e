// A test with its own Windows directory, transcript and automation script.
#pragma once

#include <cstdlib>
#include <string>

#include "sample_dialog.h"
#include "testing/temp_root.h"
#include "win/face.h"

class ScriptTest : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    sample::RegisterSampleResources();
    sample::TheRecord() = {};
    transcript_ = path("transcript.txt").string();
    setenv("TELEQUILL_TRANSCRIPT", transcript_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TELEQUILL_TRANSCRIPT");
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
  void UseScript(const std::string& text) {
    const std::string script = path("script.txt").string();
    tq::testing::WriteText(script, text);
    ASSERT_TRUE(tq::ui::UseFace("script:" + script));
  }
  std::string Transcript() const { return tq::testing::ReadText(transcript_); }
  static INT_PTR RunMain() {
    return DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr,
                           sample::MainDialogProc, 0);
  }

 private:
  std::string transcript_;
};
