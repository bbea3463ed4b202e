// The host's own pages of the document property sheet, made from the
// language resource library's templates (see resource_pages.h): copies and
// output tray, the job type with the held job's user, password and document
// name, and the installable options with the fax module, the ISDN/G4 kit,
// the speed dial range and the auto-configuration button. Each page shows the host
// settings its controls stand for and, on apply, writes them back and saves
// them; a value the settings refuse keeps the page open with a message and
// changes nothing. The first host page made also gives the sheet's buttons
// their labels from the library.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "host/autoconfigure.h"
#include "host/resource_pages.h"
#include "host/settings_layout.h"
#include "win/user.h"

namespace tq::host {

struct HostSheet {
  SettingsBlock* settings = nullptr;  // what the pages edit, never reallocated
  const SettingsLayout* layout = nullptr;
  HINSTANCE library = nullptr;  // the button labels' strings
  const HostPages* pages = nullptr;
  std::function<void()> commit;  // saves `settings`; reports its own failure
  std::function<AutoconfigOutcome(const std::string& port)> autoconfigure;  // asks the device on `port`
};

// One page's record, the lParam of its PROPSHEETPAGEW.
struct HostSheetPage {
  HostSheet* sheet = nullptr;
  int templateId = 0;
  bool loading = false;  // the page is filling its controls: nothing has changed
};

// The template identifiers of the host's pages, in the sheet's order.
std::vector<int> HostSheetTemplates();

// The sheet pages of those of `sheet.pages` that were resolved; `records`
// holds what the pages point at and must outlive the sheet.
std::vector<PROPSHEETPAGEW> HostSheetPages(HostSheet& sheet, std::deque<HostSheetPage>& records);

}  // namespace tq::host
