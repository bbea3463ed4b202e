// A seam in the file layer for tests: makes the Nth write, flush or rename
// from now on fail as a full disk would, so that every writer can be tested
// under faults. Counting starts at 1; 0 disarms. Per process.
//
// Write counts WriteFile calls and the data copy of CopyFileW (fails with
// ERROR_DISK_FULL, nothing written); Flush counts FlushFileBuffers and the
// fsync of CopyFileW (ERROR_DISK_FULL); Rename counts MoveFileExW and the
// final rename of CopyFileW (ERROR_DISK_FULL, nothing moved). A fault fires
// once and then disarms.
//
// RunBetweenNextOpenAndLock runs an action once, inside the next CreateFileW
// after the file is opened and before its sharing lock is taken: where
// another process's rename of a new file over it would fall.
#pragma once

#include <functional>

namespace tq {

enum class FileFault { Write, Flush, Rename };

void FailNthFileOperation(FileFault kind, int n);
void RunBetweenNextOpenAndLock(std::function<void()> action);
void ClearFileFaults();

}  // namespace tq
