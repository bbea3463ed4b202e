// Text for qlafd's output: ANSI phonebook text as UTF-8, and JSON strings.
#pragma once

#include <string>
#include <string_view>

namespace tq::qlafd {

// ANSI text (the system code page) as UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// A JSON string literal, quotes included, of UTF-8 text.
std::string JsonString(std::string_view utf8);

}  // namespace tq::qlafd
