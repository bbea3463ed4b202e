// The dialogs of the run itself: the choice of the source (116) and the
// confirmation with the statistics (101).
#pragma once

#include "import_run.h"

namespace tq::import {

// Which sources this computer offers beside the two CSV kinds.
struct SourceOffer {
  bool mapi = false;
  bool wab = false;
};
SourceOffer AvailableSources();

// The source chosen, kCancelled when cancelled.
int ChooseSource(const ImportRun& run, const SourceOffer& offer);

// True when the user confirmed; cancelling empties the candidates.
bool ConfirmCandidates(ImportRun& run);

}  // namespace tq::import
