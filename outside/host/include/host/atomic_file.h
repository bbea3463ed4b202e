// The host's files as a whole: replaced through the kernel layer's file
// writer (so every write goes through the fault seam) and read at once.
#pragma once

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

// Reads a whole file; false with a message naming it when it cannot.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace tq::host
