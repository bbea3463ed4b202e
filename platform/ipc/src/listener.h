// The listener's pieces that the rest of the layer needs.
#pragma once

#include <cstdint>

namespace tq::ipc {

// This process's token while it listens (0 before).
std::uint64_t ListenerToken();

// Notes the calling thread as the windows' thread, whose marshalled calls
// the listener may wait for when it stops.
void NoteWindowThread();

// Registers the stop at exit again, so that it runs before the exit-time
// destruction of whatever the process made until now (exit handlers run in
// the reverse order of their registration).
void StopAtExitFromNow();

}  // namespace tq::ipc
