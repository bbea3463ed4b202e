// The two files of an auto-configuration run: the parameter file the host
// writes for qlautocfg, and the answer file qlautocfg leaves beside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/model.h"

namespace tq::host {

// The device type the host expects for each model.
std::string_view ExpectedDeviceType(Model model);

// Port name, library argument, expected type, then the option names the
// host asks for, one a line.
std::string AutoconfigParameters(std::string_view portName, Model model);

// The answer file's name: the parameter file's with "DAT" for its last
// three characters.
std::string AnswerPathFor(const std::string& parameterPath);

// What the device answered to the names of AutoconfigParameters. A value
// the device could not give stays empty.
struct DeviceFacts {
  std::string address;
  bool fax = false;
  bool g4Kit = false;
  std::optional<int> maxSpeedDial;
};

// Nothing when the bytes are not an answer to those names.
std::optional<DeviceFacts> ParseAutoconfigAnswer(std::string_view bytes);

// The host settings that follow the device, as (name, value) pairs.
std::vector<std::pair<std::string, std::string>> SettingsFromFacts(const DeviceFacts& facts);

}  // namespace tq::host
