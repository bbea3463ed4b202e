// Putting the fax queue into the local CUPS and taking it away: the
// backend (mode 0700, so that CUPS runs it as root and it can reach every
// user's agent), the agent's XDG autostart entry and systemd user units,
// and the queue itself through lpadmin with the queue's PPD.
//
// Installed from the package, the backend and the agent's files are the
// package's: only the queue is added and taken away. From a build tree the
// backend is copied and the agent's files written too.
//
// TELEQUILL_INSTALL_ROOT prefixes every installed path (for staging);
// lpadmin follows CUPS_SERVER as usual.
#pragma once

#include <string>
#include <vector>

namespace tq::host {

inline constexpr char kFaxQueueName[] = "Telequill-Fax";

// A file of the agent's start-up, its path relative to the system's root.
struct AgentFile {
  std::string path;
  std::string text;
};

// The agent's XDG autostart entry and its systemd user socket and service,
// each starting `qlhost agent` with the given program.
std::vector<AgentFile> AgentFiles(const std::string& qlhost);

// Writes the agent's files under `root`, readable by every user: the agent
// starts in each user's session, from files root owns.
[[nodiscard]] bool WriteAgentFiles(const std::string& root, const std::string& qlhost, std::string& error);

// `device` is the printer's raw port (socket://HOST:PORT) or a print
// server's queue (lpd://HOST/QUEUE); `qlhost` the program the units start;
// `backend` the built backend to copy, or empty when the backend and the
// agent's files are installed already and only the queue is added.
[[nodiscard]] bool InstallFaxQueue(const std::string& device, char model, const std::string& qlhost,
                                   const std::string& backend, std::string& error);
// Takes the queue away, and with `files` the backend and the agent's files.
[[nodiscard]] bool RemoveFaxQueue(bool files, std::string& error);

}  // namespace tq::host
