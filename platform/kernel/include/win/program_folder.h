// Files that ship beside the running program (help files, for example).
#pragma once

#include <string>
#include <string_view>

namespace tq {

// The path of `name` in the folder of the files that ship with the programs:
// the running program's folder in the build tree, the folder of the
// project's libraries when installed; `name` alone when it cannot be read.
std::u16string BesideProgram(std::u16string_view name);

}  // namespace tq
