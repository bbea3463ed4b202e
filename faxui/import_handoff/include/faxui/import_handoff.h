// Starting the Import application from a dialog's import button (1018) and
// taking back what it wrote when it posts 1022 or 1028 to the dialog.
//
// The result file is named DBhhmmss.TMP after the time of the start and
// lies in the user's private runtime folder (mode 0700), never in a shared
// one, where another user could plant a file of the predictable name or
// read what was imported. The Import application creates it; the dialog
// reads it and deletes it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/entry_record.h"
#include "faxui/texts.h"
#include "win/kernel.h"
#include "win/types.h"

namespace tq::faxui {

// The result file's name, kept for the life of the plug-in instance; each
// start replaces it.
struct ImportHandoff {
  std::u16string resultPath;
};

// The plug-in instance's handoff, shared by its dialogs.
ImportHandoff& PluginImportHandoff();

// "FOLDER/DBhhmmss.TMP" for the local time `now`.
std::u16string ResultPathFor(std::u16string_view folder, const SYSTEMTIME& now);

// The command line: the Import application's path (beside the plug-in,
// named by string 3059; quoted when it holds a blank) and, unquoted, the
// result path, which the Import application takes up to its first blank.
std::u16string ImportCommandLine(std::u16string_view pluginPath, std::u16string_view programName,
                                 std::u16string_view resultPath);

// Names a new result file and starts the Import application with WinExec;
// returns what WinExec returned (above 31 when started). Nothing is started,
// and 0 returned, when the private folder cannot be had or when its path
// could not reach the Import application whole: a blank in it, more than
// the 272 characters the Import application reads, or a character the ANSI
// code page lacks.
UINT StartImport(ImportHandoff& handoff);

// On 1022 (names and numbers) or 1028 (entry records): the records of the
// result file, which is deleted. Nothing when there is no file (the import
// was cancelled or failed) or it was refused.
std::optional<std::vector<EntryRecord>> TakeImportedRecords(const ImportHandoff& handoff, int command);

// The caption of the import's questions and messages in both dialogs.
inline constexpr std::u16string_view kImportCaption = texts::kImportCaption;

}  // namespace tq::faxui
