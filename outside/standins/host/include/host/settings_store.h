// Each model's document settings, kept in the Windows directory under
// host/document-settings-<model>.dat. The file is the settings block behind
// a 24-byte header:
//
//   0   8  magic "TQHOSTDS"
//   8   4  format version, 1
//   12  4  model letter, 'n' or 'p'
//   16  4  size of the settings block that follows
//   20  4  reserved, 0
//   24     the settings block
//
// A file with another magic, version or model, or whose size does not match
// the header and the host's layout, is refused and never overwritten: the
// user decides what to do with it.
#pragma once

#include <functional>
#include <string>

#include "host/plugin_set.h"
#include "host/settings_layout.h"

namespace tq::host {

std::string SettingsPath(Model model);

enum class LoadResult { Loaded, Missing, Refused };

// Missing leaves `block` alone; Refused fills `error` with a message naming
// the file.
[[nodiscard]] LoadResult LoadSettings(const std::string& path, Model model, const SettingsLayout& layout,
                                      SettingsBlock& block, std::string& error);

// Writes the file atomically, creating the host folder when needed.
[[nodiscard]] bool SaveSettings(const std::string& path, Model model, const SettingsBlock& block,
                                std::string& error);

// The settings a command starts from: the stored ones, or new ones from the
// table's defaults when none are stored yet.
[[nodiscard]] bool CurrentSettings(Model model, const AddOnTable& table, const SettingsLayout& layout,
                                   SettingsBlock& block, std::string& error);

// Changes the stored settings as one step: under a lock beside the file
// (another process changing them waits), the file as it is now (or the
// defaults), `change` applied, written back. Several processes changing
// different settings at once all keep their change. `updated` gets what
// was written. False with `error` when the file is refused, `change`
// fails (nothing is written) or the file cannot be written.
using SettingsChange = std::function<bool(SettingsBlock& settings, std::string& error)>;
[[nodiscard]] bool UpdateSettings(Model model, const AddOnTable& table, const SettingsLayout& layout,
                                  const SettingsChange& change, SettingsBlock& updated, std::string& error);

}  // namespace tq::host
