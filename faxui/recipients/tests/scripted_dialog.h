// The recipient dialog run by a script in a child process
// (dialog_in_child.h).
#pragma once

#include <filesystem>
#include <string>

#include "common/recipient_list.h"
#include "dialog_in_child.h"

namespace tq::faxui::testing {

// The host private area's option flags the dialog reads at opening.
struct HostOptions {
  bool g4Option = false;      // field 680
  bool largeSpeedDial = false;  // field 832
};

// The recipient dialog (101) on an empty list.
DialogRun RunRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                             HostOptions options = {});

// The recipient dialog of a built plug-in (a file of the build's bin
// folder), from the plug-in's own resources and export.
DialogRun RunPluginRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                                   const std::string& pluginFile, HostOptions options = {});

}  // namespace tq::faxui::testing
