// The host's files as a whole: replaced through the kernel layer's file
// writer (so every write goes through the fault seam) and read at once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tq::host {

enum class FileAccess { Shared, OwnerOnly };

// Replaces the file with `bytes` (see tq::ReplaceFileContents). On failure
// `error` names the file and the cause, the temporary file is removed and
// the old file, if any, is left as it was. OwnerOnly files (settings holding
// a password) are readable by their owner alone.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                                       FileAccess access = FileAccess::Shared);

// The host's files (settings, answer files) are a few kilobytes.
inline constexpr std::size_t kMaxHostFileBytes = 1 << 20;

// Reads a whole regular file of at most maxBytes; false with a message
// naming it when it cannot (a FIFO or device is refused without waiting).
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                                 std::size_t maxBytes = kMaxHostFileBytes);

}  // namespace tq::host
