#include "command_line.h"

namespace tq::ipc {
namespace {

bool Blank(char16_t c) { return c == u' ' || c == u'\t'; }

void SkipBlanks(std::u16string_view line, size_t* at) {
  while (*at < line.size() && Blank(line[*at])) ++*at;
}

// The program name: no escapes, as the system reads it.
std::u16string ProgramName(std::u16string_view line, size_t* at) {
  std::u16string name;
  if (line[*at] == u'"') {
    const size_t close = line.find(u'"', *at + 1);
    const size_t end = close == std::u16string_view::npos ? line.size() : close;
    name = line.substr(*at + 1, end - *at - 1);
    *at = close == std::u16string_view::npos ? line.size() : close + 1;
    return name;
  }
  while (*at < line.size() && !Blank(line[*at])) name.push_back(line[(*at)++]);
  return name;
}

std::u16string Argument(std::u16string_view line, size_t* at) {
  std::u16string argument;
  bool quoted = false;
  while (*at < line.size() && (quoted || !Blank(line[*at]))) {
    size_t backslashes = 0;
    while (*at < line.size() && line[*at] == u'\\') {
      ++backslashes;
      ++*at;
    }
    if (*at < line.size() && line[*at] == u'"') {
      argument.append(backslashes / 2, u'\\');
      if (backslashes % 2 == 1) {
        argument.push_back(u'"');
        ++*at;
      } else if (quoted && *at + 1 < line.size() && line[*at + 1] == u'"') {
        argument.push_back(u'"');
        *at += 2;
      } else {
        quoted = !quoted;
        ++*at;
      }
      continue;
    }
    argument.append(backslashes, u'\\');
    if (*at < line.size() && (quoted || !Blank(line[*at]))) argument.push_back(line[(*at)++]);
  }
  return argument;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> parts;
  size_t at = 0;
  SkipBlanks(line, &at);
  if (at == line.size()) return parts;
  parts.push_back(ProgramName(line, &at));
  for (;;) {
    SkipBlanks(line, &at);
    if (at == line.size()) break;
    parts.push_back(Argument(line, &at));
  }
  return parts;
}

}  // namespace tq::ipc
