// The CUPS backend's device URI and job options on arbitrary text: the
// first line is the device URI, the rest the options. A URI is taken or
// refused with a message; the options become "name=value" words of plain
// letters, digits and hyphens only, so that no option can add a setting.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/cups_options.h"

namespace {

void CheckPlainWords(std::string_view settings) {
  std::size_t start = 0;
  while (start < settings.size()) {
    std::size_t end = settings.find(' ', start);
    if (end == std::string_view::npos) end = settings.size();
    const std::string_view word = settings.substr(start, end - start);
    const std::size_t equals = word.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == word.size()) std::abort();
    for (std::size_t i = 0; i < word.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(word[i]);
      // A page list has commas; nothing else but letters, digits and hyphens.
      if (i != equals && !std::isalnum(c) && c != '-' && c != ',') std::abort();
    }
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = text.find('\n');
  const std::string_view uri = text.substr(0, lineEnd);
  const std::string_view options = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);

  tq::host::DeviceTarget target;
  std::string error;
  if (tq::host::ParseDeviceUri(uri, target, error)) {
    if (!error.empty() || (target.model != "n" && target.model != "p") || !tq::host::IsDeviceUri(target.uri)) {
      std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }
  const int copies = size > 0 ? data[0] * 4 : 1;
  CheckPlainWords(tq::host::SettingsFromCupsOptions(options, copies));
  return 0;
}
