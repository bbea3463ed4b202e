// Where WinExec finds the program a command line names.
#pragma once

#include <string>
#include <vector>

#include "win/types.h"

namespace tq::ipc {

struct ProgramFound {
  std::string path;   // the file to start; empty when not found
  DWORD error = 0;    // ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_BAD_FORMAT
};

// The folders a bare program name is looked for in, in order: the folder
// of the module that holds `caller` (the code that asked), the program's,
// TELEQUILL_PLUGIN_DIR, and this layer's own (the build's bin folder).
std::vector<std::string> ProgramFolders(const void* caller);

// Finds `name` (a native name: '/' separators) as a path when it has a
// folder, else in `folders`. "NAME.EXE" is also looked for as "NAME", and
// each name also in lower case, since Windows names ignore case and ours
// are lower case. A file that is there but cannot be run gives
// ERROR_BAD_FORMAT when nothing else is found.
ProgramFound FindProgram(const std::string& name, const std::vector<std::string>& folders);

}  // namespace tq::ipc
