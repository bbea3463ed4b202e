#include "autocfg/parameter_file.h"

#include "win/kernel.h"

namespace tq::autocfg {

std::vector<std::string> SplitParameterLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::optional<ParameterHeader> HeaderOf(const std::vector<std::string>& lines) {
  if (lines.size() < 3) return std::nullopt;
  return ParameterHeader{lines[0], lines[1], lines[2]};
}

std::vector<std::string> OptionNamesOf(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (std::size_t i = 3; i < lines.size() && !lines[i].empty(); ++i) names.push_back(lines[i]);
  return names;
}

std::optional<std::string> ReadParameterFile(const std::u16string& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

std::u16string AnswerFileName(const std::u16string& parameterPath) {
  std::u16string name = parameterPath;
  name.resize(name.size() >= 3 ? name.size() - 3 : 0);
  return name + u"DAT";
}

}  // namespace tq::autocfg
