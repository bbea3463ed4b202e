// Files that ship beside the running program (help files, for example).
#pragma once

#include <string>
#include <string_view>

namespace tq {

// The path of `name` in the running program's folder; `name` alone when
// the program's path cannot be read.
std::u16string BesideProgram(std::u16string_view name);

}  // namespace tq
