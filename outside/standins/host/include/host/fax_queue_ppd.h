// The fax queue's PPD: page sizes and the fax options (job kind, fax
// resolution, confirmation report, fax header) whose choices the backend
// turns into qlhost settings. Documents reach the backend unfiltered.
#pragma once

#include <string>

namespace tq::host {

std::string FaxQueuePpd();

}  // namespace tq::host
