// The whole run of the Import application, from the launching window's
// handshake to the completion command.
#pragma once

#include <string>

namespace tq::import {

// The output path of a command line: its first token (up to the first
// blank), at most 272 characters; empty for a line that starts blank.
std::u16string OutputPathOf(std::u16string_view commandLine);

// Runs the import for `commandLine` (what follows the program's name);
// false when the chosen entries could not be written to the result file.
bool RunImport(std::u16string_view commandLine);

}  // namespace tq::import
