// Putting the fax queue into the local CUPS and taking it away: the
// backend (mode 0700, so that CUPS runs it as root and it can reach every
// user's agent), the agent's XDG autostart entry and systemd user units,
// and the queue itself through lpadmin with the queue's PPD.
//
// TELEQUILL_INSTALL_ROOT prefixes every installed path (for staging);
// lpadmin follows CUPS_SERVER as usual.
#pragma once

#include <string>

namespace tq::host {

inline constexpr char kFaxQueueName[] = "Telequill-Fax";

// `device` is the printer's raw port (socket://HOST:PORT) or a print
// server's queue (lpd://HOST/QUEUE); `qlhost` the
// program the units start; `backend` the built backend to copy.
[[nodiscard]] bool InstallFaxQueue(const std::string& device, char model, const std::string& qlhost,
                                   const std::string& backend, std::string& error);
[[nodiscard]] bool RemoveFaxQueue(std::string& error);

}  // namespace tq::host
