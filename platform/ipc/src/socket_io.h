// Unix stream sockets with a deadline on every step, so that a peer that
// stopped answering costs a bounded wait and never a hang.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "win/unique_fd.h"

namespace tq::ipc {

using Clock = std::chrono::steady_clock;

// A socket descriptor closed when it goes out of scope.
using Socket = UniqueFd;

// Connects to the socket at `path`; an invalid Socket with errno set
// (ENOENT: nobody there, ECONNREFUSED: nobody listens, ETIMEDOUT).
Socket ConnectTo(const std::string& path, Clock::time_point deadline);

// A socket bound to `path` and listening; invalid with errno set.
Socket ListenAt(const std::string& path);

// Writes all of `bytes`; false on an error or when the deadline passes.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes, Clock::time_point deadline);

// Reads one whole message whose header carries `magic` (see wire.h);
// nullopt on a malformed header, an early end, an error or the deadline.
std::optional<std::vector<std::uint8_t>> ReadMessage(int fd, std::uint32_t magic, Clock::time_point deadline);

}  // namespace tq::ipc
