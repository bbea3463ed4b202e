// A seam in the file layer for tests: makes the Nth write, flush or rename
// from now on fail as a full disk would, so that every writer can be tested
// under faults. Counting starts at 1; 0 disarms. Per process.
#pragma once

namespace tq {

enum class FileFault { Write, Flush, Rename };

void FailNthFileOperation(FileFault kind, int n);
void ClearFileFaults();

}  // namespace tq
