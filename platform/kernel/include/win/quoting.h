// Quoted text for the project's own text formats: C-style for the transcript
// and the registry files, JSON strings for the tools' and the monitor's
// records. Bytes of 0x80 and above pass as they are (UTF-8 stays UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace tq {

// "..." with \\ \" \n \r \t, and \xHH for other control bytes and 0x7F, so
// that a quoted text is always one line.
std::string QuoteC(std::string_view text);

// A JSON string literal: \" \\ \n \r \t, and \u00HH for other control bytes.
std::string QuoteJson(std::string_view utf8);

}  // namespace tq
