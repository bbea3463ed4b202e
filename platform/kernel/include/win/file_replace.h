// Replacing a whole file safely: the one file writer of the project. The new
// contents go to a temporary file of its own in the same folder (created
// exclusively; those killed writers left in that folder are removed by the
// next write there, never another user's files), are flushed to disk and renamed over the old file (which
// also syncs the folder), so that a reader sees the old file or the new one
// and never a part of it. Every step goes
// through the file fault seam, so each writer can be tested under faults.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "win/kernel.h"

namespace tq {

struct FileReplaceOptions {
  // Readable and writable by the owner alone: phonebooks, settings, the
  // registry and print output hold names, numbers and passwords. Otherwise
  // readable by every user.
  bool ownerOnly = true;
  // Flushed to disk before the rename and the folder synced after it. Off
  // for output that is made again from its source (print output written to
  // a file, like a printer port's): the rename still shows readers the old
  // file or the whole new one.
  bool durable = true;
};

// Writes the contents into the open temporary file. Returns false to abandon
// the replacement: the old file stays as it was (the error is the last
// error set, ERROR_CANCELLED when none).
using FileContentsWriter = std::function<bool(HANDLE file)>;

// Returns ERROR_SUCCESS or the Win32 error of the step that failed; on
// failure the old file is left as it was and the temporary is removed.
DWORD ReplaceFileWith(std::u16string_view name, const FileContentsWriter& write,
                      const FileReplaceOptions& options = {});
DWORD ReplaceFileContents(std::u16string_view name, std::string_view bytes,
                          const FileReplaceOptions& options = {});

// For writers that change a file in place (appends): removes the temporary
// files killed writers left beside it, as a replacement does.
void RemoveDeadTemporariesBeside(std::u16string_view name);

// A few words on a file error, for messages ("disk full", ...).
std::string DescribeFileError(DWORD error);

// Writes all of `bytes` to an open file; false (last error set) on a failed
// or short write.
bool WriteAllBytes(HANDLE file, std::string_view bytes);

}  // namespace tq
