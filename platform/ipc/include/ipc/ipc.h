// The ipc layer's own calls: the private runtime folder and the listener
// through which other processes reach this process's windows.
#pragma once

#include <string>

namespace tq::ipc {

// The user's private runtime folder, mode 0700: $TELEQUILL_ROOT/run when
// TELEQUILL_ROOT is set (each Windows directory is a world of its own),
// else $XDG_RUNTIME_DIR/telequill, else the Windows directory's "run".
// Created when missing and tightened to 0700 when it is ours but open to
// others; empty when it cannot be had (not a folder, somebody else's).
std::string PrivateRuntimeFolder();

// Starts answering other processes about this process's windows; also
// done by the first window and by WinExec. True when listening (already or
// now). The listener stops when the process exits.
bool StartWindowListener();

// Stops it now and removes the socket (at exit this happens by itself).
void StopWindowListener();

}  // namespace tq::ipc
