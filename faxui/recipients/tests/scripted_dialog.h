// Runs one of the dialogs in a child process under the headless face with
// an automation script, and brings back the transcript and what the
// dialog left in its records. A child per run, because the face is chosen
// once per process.
#pragma once

#include <filesystem>
#include <string>

#include "common/recipient_list.h"

namespace tq::faxui::testing {

// The host private area's option flags the dialog reads at opening.
struct HostOptions {
  bool g4Option = false;      // field 680
  bool largeSpeedDial = false;  // field 832
};

struct DialogRun {
  int status = -1;           // the child's exit status; 3 when the script failed
  long long result = -99;    // what DialogBoxParamW returned
  std::string transcript;
  RecipientList recipients{};  // the recipient dialog's list afterwards
  EntryRecord record{};        // the communication settings dialog's record afterwards
};

// The recipient dialog (101) on an empty list.
DialogRun RunRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                             HostOptions options = {});

// The communication settings dialog (104) on `record`, owned by a window
// made from template 101 when `ownedByRecipientDialog`, else by none.
DialogRun RunCommDialog(const std::filesystem::path& folder, const std::string& script,
                        const EntryRecord& record, bool ownedByRecipientDialog, bool g4Available);

// The recipient dialog of a built plug-in (a file of the build's bin
// folder), from the plug-in's own resources and export.
DialogRun RunPluginRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                                   const std::string& pluginFile, HostOptions options = {});

// The lines of a transcript.
std::string Lines(std::initializer_list<std::string> lines);

}  // namespace tq::faxui::testing
