// A number of seconds from the environment, for the time limits that tests
// and users can shorten.
#pragma once

#include <climits>

#include "win/environment.h"

namespace tq::host {

// The variable's value when it is a positive number, else `fallback`.
inline int SecondsFrom(const char* variable, int fallback) {
  return static_cast<int>(EnvironmentNumber(variable, INT_MAX).value_or(fallback));
}

}  // namespace tq::host
