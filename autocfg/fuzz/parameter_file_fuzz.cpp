// The auto-configuration parameter file on arbitrary bytes, split as
// qlautocfg splits it: no line longer than 63 characters, none holding a
// line feed, and the option names stop at the first empty line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "autocfg/parameter_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::autocfg;
  const std::vector<std::string> lines = SplitParameterLines(std::string(reinterpret_cast<const char*>(data), size));
  for (const std::string& line : lines) {
    if (line.size() > kMaxLineLength || line.find('\n') != std::string::npos) std::abort();
  }
  const auto header = HeaderOf(lines);
  if (header.has_value() != (lines.size() >= 3)) std::abort();
  for (const std::string& name : OptionNamesOf(lines)) {
    if (name.empty()) std::abort();
  }
  return 0;
}
