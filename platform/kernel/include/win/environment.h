// The one reader of the process environment. Every setting a program takes
// from its environment is read here; a variable set but empty counts as
// not set.
#pragma once

#include <optional>
#include <string>

namespace tq {

// The value of `name`; nullopt when it is not set or empty.
std::optional<std::string> EnvironmentValue(const char* name);

// Whether `name` is set at all, even to nothing (DISPLAY and the like,
// whose mere presence says something).
bool EnvironmentHas(const char* name);

// The value of `name` as a whole number from 1 to `most`; nullopt when it
// is not set, not a number or out of that range.
std::optional<long> EnvironmentNumber(const char* name, long most);

}  // namespace tq
