// Auto-configuration as the host driver runs it: a parameter file in the
// user's private folder, a window titled with its path, qlautocfg started
// with WinExec, and the answer read when qlautocfg closes that window.
#pragma once

#include <string>

#include "host/autoconfig_files.h"
#include "host/settings_layout.h"

namespace tq::host {

// The port name the parameter file gets when none is given: a local port,
// which qlautocfg cannot configure and answers by offering a network search.
inline constexpr char kDefaultAutoconfigPort[] = "LPT1:";

// Answered: the device's facts; NoAnswer: qlautocfg closed the window
// without an answer (no device, another device type, the search declined;
// qlautocfg says which); Cancelled: the waiting window was closed first;
// Failed: qlautocfg could not be started or ended without closing it.
// `problem` says which failure it was, for the windows' own words; `error`
// says it for the command line, with the paths involved.
struct AutoconfigOutcome {
  enum class Status { Answered, NoAnswer, Cancelled, Failed } status = Status::Failed;
  enum class Problem { None, NoPrivateFolder, ParameterFile, NotStarted, Gone, BadAnswer } problem = Problem::None;
  DeviceFacts facts;   // when Answered
  std::string error;   // when Cancelled or Failed
};

// Runs qlautocfg for `portName` (in the face of TELEQUILL_UI, which the
// program inherits) and waits until it closes the window or goes away.
AutoconfigOutcome RunAutoconfigure(Model model, const std::string& portName);

// Stores what the device answered in `block`; false with `error` when a
// value does not fit the host settings.
[[nodiscard]] bool ApplyDeviceFacts(const DeviceFacts& facts, SettingsBlock& block, const SettingsLayout& layout,
                                    std::string& error);

}  // namespace tq::host
