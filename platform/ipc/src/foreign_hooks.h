// The foreground window handed to a child in TELEQUILL_FOREGROUND.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tq::ipc {

struct ForegroundTarget {
  pid_t pid = 0;
  std::uint64_t handle = 0;
  std::uint64_t token = 0;  // 0 when the value does not carry it
};

// "PID:HANDLE:TOKEN" (decimal pid, hexadecimal handle and token); the token
// may be left out. Nullopt for anything else.
std::optional<ForegroundTarget> ParseForeground(const std::string& value);
std::string FormatForeground(const ForegroundTarget& target);

}  // namespace tq::ipc
