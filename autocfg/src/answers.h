// The answer of each option name, from the prepared device.
#pragma once

#include <string>
#include <vector>

#include "kdwcif/kdwcif.h"

namespace tq::autocfg {

// The answer file's bytes: the address, a line feed, then each name's
// answer ("1"/"0", 0x02 value 0x02, or nothing for an unknown name).
std::string BuildAnswer(PSWHANDLE library, const std::string& address, const std::vector<std::string>& names);

}  // namespace tq::autocfg
