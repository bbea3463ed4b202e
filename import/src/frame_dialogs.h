// The dialogs of the run itself: the choice of the source (116) and the
// confirmation with the statistics (101).
#pragma once

#include <string>

#include "import_run.h"

namespace tq::import {

// Which sources this computer offers beside the two CSV kinds: the
// messaging book when the profile says it is installed (its library is
// looked for only when it is chosen), the Windows book when its library
// loads, kept for its import.
struct SourceOffer {
  bool mapi = false;
  std::u16string windowsBookLibrary;
};
SourceOffer AvailableSources();

// The source chosen, kCancelled when cancelled.
int ChooseSource(const ImportRun& run, const SourceOffer& offer);

// True when the user confirmed; cancelling empties the candidates.
bool ConfirmCandidates(ImportRun& run);

}  // namespace tq::import
