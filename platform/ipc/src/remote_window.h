// Handles of this process for windows of other processes.
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "win/types.h"

namespace tq::ipc {

// The proxy handle for window `handle` of process `pid` (whose listener
// has token `token`); the same proxy for the same window every time.
HWND ProxyFor(pid_t pid, std::uint64_t handle, std::uint64_t token);

}  // namespace tq::ipc
