// The programs this process started and that still run, for the windows
// that wait for them: a click on such a window brings the program forward.
#pragma once

#include <sys/types.h>

#include <vector>

#include "win/types.h"

namespace tq::ipc {

void NoteStarted(pid_t child);
void NoteEnded(pid_t child);
std::vector<pid_t> RunningStarted();

// Asks each running started program to bring its active window forward
// (Operation::RaiseActive), off the calling thread: the program may be
// waiting for an answer from this one's windows thread meanwhile.
void RaiseStartedPrograms();

// EnableWindow on one of this process's windows, asked by process `asker`
// (`wasDisabled` what the call returned). A window another process
// disabled, enabled before, is that process's to give back.
void NoteEnabledBy(pid_t asker, HWND window, bool enable, bool wasDisabled);

// Called when started program `child` has ended: the windows it disabled
// and left disabled (it was killed, crashed or forgot them) are enabled
// again on the windows' thread, and the innermost modal one among them is
// brought forward, so that a person can use its owner again. A program
// that gave its owner back leaves nothing to do.
void GiveBackWindowsOf(pid_t child);

}  // namespace tq::ipc
