// The imports from a file (CSV and speed-dial CSV): each asks for the
// file, reads it and lets the user choose, filling the run's candidates.
#pragma once

#include <string>

#include "import_run.h"

namespace tq::import {

// The path chosen in the open-file dialog, empty when cancelled.
std::u16string ChooseImportFile(const ImportRun& run, UINT filterString, std::u16string_view title);

// The number of entries chosen, or a negative code (csv_split.h); the
// rejected rows in `rejected`.
int ImportCsv(ImportRun& run, std::u16string_view path, int source, int& rejected);
int ImportSpeedDialCsv(ImportRun& run, std::u16string_view path, int& rejected);

// The message of a negative code, with its caption and icon.
void ShowFileImportError(const ImportRun& run, int code, std::u16string_view path);

}  // namespace tq::import
