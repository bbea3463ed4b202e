// Finds the string literals of a C++ source and tells which of them read as
// French text a user would see, so that a check can keep such texts in each
// module's resource script and texts file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tq::source_checks {

// One string literal: the line it starts on (1-based) and its characters
// between the quotes, escapes left as written.
struct Literal {
  int line = 0;
  std::string body;
};

// The string literals of `source` (narrow, wide, UTF and raw ones), skipping
// comments, character literals and the names of #include lines. A comment
// holding the marker "not-a-text" leaves out the literals of its own line and
// of the lines below it up to the next blank line: the marker says that
// French-looking literals are data (column titles the program recognises,
// say), never shown.
std::vector<Literal> StringLiterals(std::string_view source);

// Whether a literal's characters read as French text: letters outside ASCII
// (written in the source, not as escapes), a word that only French prose
// uses, or, in a literal of two words or more, a French article or
// preposition.
bool LooksFrench(std::string_view body);

}  // namespace tq::source_checks
