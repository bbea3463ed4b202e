// The small dialog that the ipc tests show, in the test process and in the
// peer program: a list 1008 (as the recipient dialog has) and an import
// button 1018.
#pragma once

#include "win/user.h"

namespace ipctest {

inline constexpr int kDialog = 100;
inline constexpr int kList = 1008;
inline constexpr int kImport = 1018;
inline constexpr int kMissingControl = 4242;
inline constexpr int kImportDone = 1022;
// Posted by a test to end the peer's dialog; 7 is what WM_CLOSE ends it with.
inline constexpr int kFinish = 4321;
inline constexpr INT_PTR kClosedResult = 7;
// What the peer's dialog ends with when, asked to close, it found the
// window it looks for then (kClosedResult when it did not).
inline constexpr INT_PTR kClosedAfterFindingResult = 8;
// Makes the peer's windows thread busy for a while, then exit from the
// dialog procedure (with exit status 5) without ending the dialog.
inline constexpr int kBusyThenExit = 4322;
inline constexpr int kBusyExitStatus = 5;

// Registers the dialog as the program's own resources.
void RegisterDialog();

}  // namespace ipctest
