// The parameter file the host writes: port name, library argument, expected
// device type, then option names up to an empty line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tq::autocfg {

inline constexpr std::size_t kMaxLineLength = 63;

// Splits at line feeds; a carriage return before one is dropped. A line
// longer than 63 characters keeps its first 63 and loses the rest, which
// never becomes a line of its own.
std::vector<std::string> SplitParameterLines(const std::string& bytes);

struct ParameterHeader {
  std::string port;
  std::string libraryArgument;
  std::string expectedType;
};

// The first three lines; nothing when the file has fewer.
std::optional<ParameterHeader> HeaderOf(const std::vector<std::string>& lines);

// Lines 4 and on up to the first empty line.
std::vector<std::string> OptionNamesOf(const std::vector<std::string>& lines);

// The whole file, opened for reading and writing as the host left it;
// nothing when it cannot be opened or read.
std::optional<std::string> ReadParameterFile(const std::u16string& path);

// The answer file: the name with its last three characters made "DAT".
std::u16string AnswerFileName(const std::u16string& parameterPath);

}  // namespace tq::autocfg
