// The automation script parser on arbitrary text: it gives actions or one
// "line N: ..." message, and every action names the line it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const tq::ui::script::ParseResult parsed = tq::ui::script::Parse(text);
  if (!parsed.error.empty()) {
    if (parsed.error.rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  int previous = 0;
  for (const auto& action : parsed.actions) {
    if (action.line <= previous) std::abort();
    previous = action.line;
  }
  return 0;
}
