// The imports of the run: from a file (CSV and speed-dial CSV), each asking
// for the file, reading it and letting the user choose, and from an address
// book; each fills the run's candidates and counters.
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

// Sources 1 to 3: the address dialog of the messaging or the Windows
// address book (source 2 asks for its file first), then the extraction of
// what was picked, with the progress dialog shown meanwhile.
void ImportFromAddressBook(ImportRun& run);

// The message of a negative code, with its caption and icon.
void ShowFileImportError(const ImportRun& run, int code, std::u16string_view path);

}  // namespace tq::import
