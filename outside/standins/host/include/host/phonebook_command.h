// `qlhost phonebook`: the Fax UI plug-in's phonebook dialog in its
// management form, as the options page opens it, so that a user keeps
// phonebooks without printing.
#pragma once

#include <string>

#include "host/plugin_set.h"

namespace tq::host {

// Opens the management form (dialog 106 of the plug-in, procedure
// PhonebookDlgProc) and waits until it is closed. False, with `error`
// saying why, when the plug-in has no such dialog.
[[nodiscard]] bool RunPhonebookDialog(const PluginSet& plugins, std::string& error);

}  // namespace tq::host
