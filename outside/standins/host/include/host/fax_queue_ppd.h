// The fax queue's PPD: page sizes and the fax options (job kind, fax
// resolution, confirmation report, fax header) whose choices the backend
// turns into qlhost settings. Documents reach the backend unfiltered.
#pragma once

#include <string>
#include <string_view>

namespace tq::host {

// `qlhost` names the program the backend runs, as the printing user, for
// a job given with its recipients while the user's agent is not running.
std::string FaxQueuePpd(const std::string& qlhost);

// The program named by the PPD's *TelequillHost line; empty without one.
std::string QlhostOfPpd(std::string_view ppd);

}  // namespace tq::host
