// The communication settings dialog (104) run by a script in a child
// process (dialog_in_child.h).
#pragma once

#include <filesystem>
#include <string>

#include "common/entry_record.h"
#include "dialog_in_child.h"

namespace tq::faxui::testing {

// The dialog on `record`, owned by a window with a recipient list (control
// 1008, as the recipient dialog has) when `ownedByRecipientList`, else by
// none.
DialogRun RunCommDialog(const std::filesystem::path& folder, const std::string& script,
                        const EntryRecord& record, bool ownedByRecipientList, bool g4Available);

}  // namespace tq::faxui::testing
