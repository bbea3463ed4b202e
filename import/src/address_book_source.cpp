// The address book sources of the run over the address book import
// (addressbook/): the file of source 2, the progress dialog while the picked
// entries are extracted, and the candidates and counters taken over.
#include <memory>

#include "addressbook/address_book_import.h"
#include "file_imports.h"
#include "ids.h"
#include "selection_lists.h"
#include "texts.h"
#include "win/ansi_text.h"

namespace tq::import {

void ImportFromAddressBook(ImportRun& run) {
  std::string file;  // empty: the default book
  if (run.source == kWabChosenFile) {
    const std::u16string path = ChooseImportFile(run, kWabFilterString, text::kChooseWabTitle);
    if (path.empty()) return;
    file = WideToAnsi(path);
  }
  std::unique_ptr<ProgressDialog> progress;
  const ExtractionHooks hooks{[&] { progress = std::make_unique<ProgressDialog>(run.owner); },
                              [&] { progress.reset(); }};
  CandidateList candidates{run.limit, {}};
  ImportCounters counters;
  if (run.source == kMapi) {
    ImportFromMessagingBook(run.owner, candidates, counters, hooks);
  } else {
    ImportFromWindowsBook(run.owner, run.windowsBookLibrary, file, candidates, counters, hooks);
  }
  run.candidates.Clear();
  run.candidates.Reserve(candidates.entries.size());
  for (const AnsiRecordKey& entry : candidates.entries) run.candidates.Add(entry.name, entry.faxNumber);
  run.total = counters.total;
  run.valid = counters.valid;
  run.rejected = counters.rejected;
}

}  // namespace tq::import
