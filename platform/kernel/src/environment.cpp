#include "win/environment.h"

#include <cerrno>
#include <cstdlib>

namespace tq {

std::optional<std::string> EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

bool EnvironmentHas(const char* name) { return std::getenv(name) != nullptr; }

std::optional<long> EnvironmentNumber(const char* name, long most) {
  const auto text = EnvironmentValue(name);
  if (!text) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text->c_str(), &end, 10);
  if (errno != 0 || end == text->c_str() || value < 1 || value > most) return std::nullopt;
  return value;
}

}  // namespace tq
