// Copying a run of bytes from one open file to another inside the kernel
// (copy_file_range, sendfile, or read and write where neither applies), for
// writers that stream a large file into another without holding it in memory.
#pragma once

#include <cstdint>

#include "win/kernel.h"

namespace tq {

// Lazy leaves the copied bytes to the system's own writing; Early starts
// writing each chunk to disk as soon as it is copied, for a file that is
// flushed next: the disk works while the copy goes on.
enum class CopyWriteback { Lazy, Early };

// Copies `count` bytes from the current position of `from` to the current
// position of `to`, advancing both, in chunks of at most 8 MiB. Each chunk
// counts as one write of the file fault seam. Returns ERROR_SUCCESS, or the
// Win32 error of the chunk that failed (ERROR_DISK_FULL for a full disk,
// ERROR_HANDLE_EOF when `from` ends early); `copied` says how far it got.
DWORD CopyFileData(HANDLE from, HANDLE to, std::uint64_t count, std::uint64_t* copied = nullptr,
                   CopyWriteback writeback = CopyWriteback::Lazy);

}  // namespace tq
