// Replacing a file as a whole: the bytes go to a temporary file beside it,
// are flushed to disk and renamed over the old file, so that a reader sees
// the old file or the new one and never a part of it.
#pragma once

#include <string>
#include <string_view>

namespace tq::host {

enum class FileAccess { Shared, OwnerOnly };

// On failure `error` names the file and the cause, the temporary file is
// removed and the old file, if any, is left as it was. Shared files get the
// usual mode of a new file; OwnerOnly ones (settings holding a password)
// are readable by their owner alone.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                                       FileAccess access = FileAccess::Shared);

// Reads a whole file; false with a message naming it when it cannot.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace tq::host
