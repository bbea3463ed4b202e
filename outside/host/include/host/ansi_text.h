// Text between the command line (UTF-8) and the plug-ins' records (ANSI, the
// system code page).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tq::host {

// False when the code page lacks one of the characters; `ansi` then holds
// the text with '?' in their place.
bool Utf8ToAnsi(std::string_view utf8, std::string& ansi);

// The text of a NUL-terminated slot of `slot` bytes.
std::string AnsiSlotToUtf8(const char* text, std::size_t slot);

}  // namespace tq::host
