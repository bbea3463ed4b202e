// The other processes with windows: one socket each, named by process id,
// in the "windows" folder of the private runtime folder.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "wire.h"

namespace tq::ipc {

// The folder of the sockets, created when missing; empty when the private
// runtime folder cannot be had.
std::string SocketFolder();

// The socket of process `pid` in `folder`.
std::string SocketPath(const std::string& folder, pid_t pid);

// The processes that have a socket there, this one left out, in id order.
std::vector<pid_t> ListedPeers();

// How long one question may take, connection included.
inline constexpr std::chrono::milliseconds kAnswerTime{5000};

// Asks process `pid` one question. Nullopt when it cannot be reached or
// gave no well-formed answer in time; a socket that nobody listens on any
// more (its process died) is removed on the way.
std::optional<Answer> Ask(pid_t pid, const Request& request,
                          std::chrono::milliseconds patience = kAnswerTime);

}  // namespace tq::ipc
