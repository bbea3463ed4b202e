// Plain text printed as pages: the project's own small renderer writes it
// as PostScript (Courier on A4, lines wrapped at the margin, tabs every
// eight columns, a form feed starting a page), which Ghostscript then
// converts like any PostScript document.
#pragma once

#include <string>
#include <string_view>

namespace tq::host {

// Text as far as its first bytes tell: no NUL and no control byte other
// than tab, line feed, form feed and carriage return.
bool LooksLikeText(std::string_view firstBytes);

// Writes the text file `input` as a PostScript program into `output`
// (created or replaced). UTF-8 characters print in ISO Latin-1, others as
// '?'; bytes that are not UTF-8 are taken as Latin-1. False with a message.
[[nodiscard]] bool WriteTextAsPostScript(const std::string& input, const std::string& output, std::string& error);

}  // namespace tq::host
