// The supported device table: 16 device types, each with the string of its
// model name; 14 of them form 7 pairs whose devices are accepted at any
// chosen address.
#pragma once

#include <string>

namespace tq::autocfg {

bool IsSupportedType(const std::string& type);
bool IsPairedType(const std::string& type);
// The string identifier of the model name (23 to 38), 39 for other types.
int ModelNameString(const std::string& type);

}  // namespace tq::autocfg
