// Replacing a whole file safely, for the layer's own stores (registry,
// win.ini) and any writer that rewrites a small file at once.
#pragma once

#include <string_view>

#include "win/kernel.h"

namespace tq {

// Writes `bytes` to a temporary file beside `name`, flushes it and renames
// it over `name` (MOVEFILE_REPLACE_EXISTING). Returns ERROR_SUCCESS or the
// Win32 error of the step that failed; on failure the old file is left as
// it was and the temporary is removed. Goes through the file fault seam.
DWORD ReplaceFileContents(std::u16string_view name, std::string_view bytes);

}  // namespace tq
