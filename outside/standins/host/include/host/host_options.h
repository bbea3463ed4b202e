// The host options the plug-ins read, by the names the user gives them:
// job-mode, fax-feature, g4, speed-dial-range, monitor, copies, tray,
// paper-size, orientation, secure-user, secure-password, secure-doc-name, and the fax options
// resolution, report and header that the options page edits.
#pragma once

#include <string>
#include <string_view>

#include "host/settings_layout.h"

namespace tq::host {

// Sets one option from its text form. An unknown name or a value outside the
// option's values leaves the block unchanged and gives a message naming the
// option and what it takes.
[[nodiscard]] bool ApplySetting(SettingsBlock& block, const SettingsLayout& layout, std::string_view name,
                                std::string_view value, std::string& error);

// The same from "NAME=VALUE".
[[nodiscard]] bool ApplyAssignment(SettingsBlock& block, const SettingsLayout& layout,
                                   std::string_view assignment, std::string& error);

// The value of option `name` in the form ApplySetting takes (a secret as it
// is, for the host's own pages to show masked); empty for an unknown name.
std::string SettingValue(const SettingsBlock& block, const SettingsLayout& layout, std::string_view name);

// A value given for option `name` on a command line or with a job: at most
// 4096 bytes and no control bytes. False with a message naming the option.
[[nodiscard]] bool CheckOptionValue(std::string_view name, std::string_view value, std::string& error);

// `current` with the changes that `edited` makes to `base`: each option
// whose value differs between them takes the edited value, and bytes the
// options do not account for (the plug-in's own state) are copied where
// they changed; everything else keeps the current value. So a window that
// edited a copy changes only what its user changed.
void MergeSettingChanges(const SettingsBlock& base, const SettingsBlock& edited, const SettingsLayout& layout,
                         SettingsBlock& current);

// One "name: value" line per option, decoded, for people to read.
std::string DescribeSettings(const SettingsBlock& block, const SettingsLayout& layout);

// The host's own fields of the public area: the paper page's size (A4 is 0)
// and orientation (1 landscape).
inline constexpr std::size_t kPaperSizeOffset = 644;
inline constexpr std::size_t kOrientationOffset = 648;

// The paper a document is converted for, upright, in points, and whether
// it is turned to landscape.
struct PaperPoints {
  int width = 595;
  int height = 842;
};
PaperPoints PaperOf(const SettingsBlock& block, bool* landscape);

}  // namespace tq::host
