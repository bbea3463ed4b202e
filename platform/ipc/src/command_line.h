// Windows command lines taken apart as a Windows program's start-up does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tq::ipc {

// The program name and the arguments of `line`. The program name is what
// stands up to the first blank or tab, or between quotes when it begins
// with one. The arguments follow Windows' rules: blanks and tabs separate
// them unless quoted; 2n backslashes before a quote give n backslashes and
// the quote opens or closes quoting, 2n+1 give n and a literal quote; ""
// inside quotes is a literal quote; other backslashes stay as they are.
// Empty when the line holds nothing but blanks.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

}  // namespace tq::ipc
