// What this process answers when another asks about its windows.
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "wire.h"

namespace tq::ipc {

// Carries out `request` on this process's windows (from the listener's
// thread: the Win32 calls hand the work to the windows' thread) and says
// how it went. `token` is this process's own; `asker` the asking process,
// 0 when unknown.
Answer Respond(const Request& request, std::uint64_t token, pid_t asker = 0);

}  // namespace tq::ipc
