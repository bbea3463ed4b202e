// One run of the Import application: who launched it, what it may hand
// back, what it found, and the messages every part of the run shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "common/record_key.h"
#include "common/record_key_list.h"
#include "texts.h"
#include "win/types.h"

namespace tq::import {

enum ImportSource : int {
  kCancelled = 0,
  kMapi = 1,
  kWabChosenFile = 2,
  kWabDefaultFile = 3,
  kCsvManual = 4,
  kCsvAutomatic = 5,
  kSpeedDialCsv = 6,
};

struct ImportRun {
  HWND owner = nullptr;  // the launching dialog (of another process), or none
  int limit = 0;         // 50 for the recipient dialog, 0 for no limit
  int source = kCancelled;
  std::u16string outputPath;
  std::u16string helpPath;
  // The Windows address book library the source dialog found loadable.
  std::u16string windowsBookLibrary;
  // The entries to hand back, in order: names and fax numbers in ANSI.
  RecordKeyList candidates;
  // For the speed-dial import: the whole record of each candidate.
  std::vector<EntryRecord> records;
  int total = 0;
  int valid = 0;
  int rejected = 0;

  void ClearCandidates() {
    candidates.Clear();
    records.clear();
  }
};

// Message box owned by the launching window.
int ShowMessage(const ImportRun& run, std::u16string_view text, std::u16string_view caption, UINT type);
// `format` with each "%s" replaced by the next of `values`.
std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> values);
// Opens the help file at `context`.
void OpenHelp(const ImportRun& run, HWND dialog, unsigned long context);

}  // namespace tq::import
