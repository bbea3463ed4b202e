#include "host/autoconfig_files.h"

#include <charconv>

namespace tq::host {
namespace {

constexpr char kLibraryArgument[] = "PSW112";
constexpr char kFraming = '\x02';

// In this order; the answer has one field per name.
constexpr std::string_view kAskedNames[] = {
    "PSWOptionTypeDevGenFax",         // presence: "0" or "1"
    "PSWOptionTypeDevGenFAXG4Kit",    // presence
    "PSWOptionValueFAXMaxSpeedDial",  // integer between two framing bytes
};

// The speed-dial ranges the recipient dialog knows.
constexpr int kSmallRange = 200;
constexpr int kLargeRange = 999;

bool TakePresence(std::string_view& rest, bool& present) {
  if (rest.empty() || (rest[0] != '0' && rest[0] != '1')) return false;
  present = rest[0] == '1';
  rest.remove_prefix(1);
  return true;
}

bool TakeInteger(std::string_view& rest, std::optional<int>& value) {
  if (rest.size() < 2 || rest[0] != kFraming) return false;
  const std::size_t close = rest.find(kFraming, 1);
  if (close == std::string_view::npos) return false;
  const std::string_view digits = rest.substr(1, close - 1);
  value.reset();
  if (!digits.empty()) {
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    value = number;
  }
  rest.remove_prefix(close + 1);
  return true;
}

}  // namespace

std::string_view ExpectedDeviceType(Model model) {
  return model == Model::N ? "1.3.6.1.4.1.32473.1.8" : "1.3.6.1.4.1.32473.1.9";
}

std::string AutoconfigParameters(std::string_view portName, Model model) {
  std::string text;
  text.append(portName).append("\n").append(kLibraryArgument).append("\n");
  text.append(ExpectedDeviceType(model)).append("\n");
  for (std::string_view name : kAskedNames) text.append(name).append("\n");
  return text;
}

std::string AnswerPathFor(const std::string& parameterPath) {
  if (parameterPath.size() < 3) return parameterPath + "DAT";
  return parameterPath.substr(0, parameterPath.size() - 3) + "DAT";
}

std::optional<DeviceFacts> ParseAutoconfigAnswer(std::string_view bytes) {
  const std::size_t lineEnd = bytes.find('\n');
  if (lineEnd == std::string_view::npos || lineEnd == 0) return std::nullopt;
  DeviceFacts facts;
  facts.address.assign(bytes.substr(0, lineEnd));
  std::string_view rest = bytes.substr(lineEnd + 1);
  if (!TakePresence(rest, facts.fax) || !TakePresence(rest, facts.g4Kit) ||
      !TakeInteger(rest, facts.maxSpeedDial) || !rest.empty()) {
    return std::nullopt;
  }
  return facts;
}

std::vector<std::pair<std::string, std::string>> SettingsFromFacts(const DeviceFacts& facts) {
  std::vector<std::pair<std::string, std::string>> settings = {{"fax-feature", facts.fax ? "1" : "0"},
                                                               {"g4", facts.g4Kit ? "1" : "0"}};
  // A device that holds more numbers than the small range gets the large one.
  if (facts.maxSpeedDial && *facts.maxSpeedDial > 0) {
    settings.emplace_back("speed-dial-range",
                          std::to_string(*facts.maxSpeedDial > kSmallRange ? kLargeRange : kSmallRange));
  }
  return settings;
}

}  // namespace tq::host
