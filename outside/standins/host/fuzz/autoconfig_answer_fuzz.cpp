// The auto-configuration answer file on arbitrary bytes, read as `qlhost
// autoconfigure` reads it: facts or nothing, and settings only from facts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/autoconfig_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto facts = tq::host::ParseAutoconfigAnswer(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!facts) return 0;
  if (facts->address.empty() || facts->address.find('\n') != std::string::npos) std::abort();
  for (const auto& [name, value] : tq::host::SettingsFromFacts(*facts)) {
    if (name.empty() || value.empty()) std::abort();
  }
  return 0;
}
