// The host's document property sheet: the Fax UI plug-in's property-sheet
// hook adds its pages through the host's add-pages service, the sheet shows
// them in tabs with Win32's property sheet buttons, and what a page commits
// on apply becomes the model's document settings.
#pragma once

#include <string>

#include "host/plugin_set.h"
#include "host/settings_layout.h"

namespace tq::host {

struct PropertiesOutcome {
  enum class Status { Applied, Cancelled, Failed } status = Status::Cancelled;
  std::string error;  // Failed: what went wrong, one line
};

// Shows the sheet over `settings` (the model's current document settings).
// Each apply writes the settings file; a file that cannot be written is
// reported in a message box and the previous settings are kept. Cancel keeps
// what was applied before it.
PropertiesOutcome RunDocumentProperties(const PluginSet& plugins, Model model, const SettingsLayout& layout,
                                        SettingsBlock& settings);

}  // namespace tq::host
