// A number of seconds from the environment, for the time limits that tests
// and users can shorten.
#pragma once

#include <cstdlib>

namespace tq::host {

// The variable's value when it is a positive number, else `fallback`.
inline int SecondsFrom(const char* variable, int fallback) {
  const char* text = std::getenv(variable);
  const int seconds = text == nullptr ? 0 : std::atoi(text);
  return seconds > 0 ? seconds : fallback;
}

}  // namespace tq::host
