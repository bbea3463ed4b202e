// The programs this process started and that still run, for the windows
// that wait for them: a click on such a window brings the program forward.
#pragma once

#include <sys/types.h>

#include <vector>

namespace tq::ipc {

void NoteStarted(pid_t child);
void NoteEnded(pid_t child);
std::vector<pid_t> RunningStarted();

// Asks each running started program to bring its active window forward
// (Operation::RaiseActive), off the calling thread: the program may be
// waiting for an answer from this one's windows thread meanwhile.
void RaiseStartedPrograms();

}  // namespace tq::ipc
