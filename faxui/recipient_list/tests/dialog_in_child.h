// Runs a dialog in a child process under the headless face with an
// automation script, and brings back the transcript and what the dialog
// left in its records. A child per run, because the face is chosen once
// per process. The recipient dialog's tests use it too.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/recipient_list.h"
#include "faxui/module_instance.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/resource.h"

namespace tq::faxui::testing {

struct DialogRun {
  int status = -1;           // the child's exit status; 3 when the script failed
  long long result = -99;    // what DialogBoxParamW returned
  std::string transcript;
  RecipientList recipients{};  // the recipient dialog's list afterwards
  EntryRecord record{};        // the communication settings dialog's record afterwards
};

// What the child hands back: the dialog's result and the records.
struct ChildOutcome {
  long long result;
  RecipientList recipients;
  EntryRecord record;
};

// The module instance the child registers `resources` under.
inline const HINSTANCE kTestInstance = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x7e57));

// Runs `body` (ChildOutcome& -> the dialog's result) in a child with the
// script in `folder` and `resources` as the module's resources.
template <typename Body>
DialogRun RunDialogInChild(const std::filesystem::path& folder, const std::string& script,
                           const res::ResourceScript& resources, Body body) {
  const std::filesystem::path scriptPath = folder / "dialog.script";
  const std::filesystem::path transcriptPath = folder / "transcript.txt";
  const std::filesystem::path outcomePath = folder / "outcome.bin";
  tq::testing::WriteText(scriptPath, script);
  std::filesystem::remove(transcriptPath);
  std::filesystem::remove(outcomePath);

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(60);  // a run that hangs ends the child instead of the suite
    setenv("TELEQUILL_TRANSCRIPT", transcriptPath.c_str(), 1);
    if (!tq::ui::UseFace("script:" + scriptPath.string())) _exit(2);
    res::RegisterResources(kTestInstance, resources);
    SetModuleInstance(kTestInstance);
    auto* outcome = new ChildOutcome{};
    outcome->result = body(*outcome);
    std::ofstream out(outcomePath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(outcome), sizeof *outcome);
    out.close();
    _exit(0);
  }
  DialogRun run;
  int status = 0;
  waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.transcript = tq::testing::ReadText(transcriptPath);
  if (std::filesystem::exists(outcomePath)) {
    const std::vector<unsigned char> bytes = tq::testing::ReadBytes(outcomePath);
    if (bytes.size() == sizeof(ChildOutcome)) {
      ChildOutcome outcome;
      std::memcpy(&outcome, bytes.data(), sizeof outcome);
      run.result = outcome.result;
      run.recipients = outcome.recipients;
      run.record = outcome.record;
    }
  }
  return run;
}

// The lines of a transcript.
inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace tq::faxui::testing
