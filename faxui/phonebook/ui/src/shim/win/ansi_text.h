// Text between UTF-16 and the system ANSI code page, whole characters only.
// Stands in for the kernel layer's module of the same name until it lands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "win/kernel.h"

namespace tq {

inline constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

inline std::string WideToAnsi(std::u16string_view text, std::size_t maxBytes = kNoLimit, DWORD flags = 0) {
  for (std::size_t units = text.size(); units > 0; --units) {
    const auto* wide = reinterpret_cast<LPCWSTR>(text.data());
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, static_cast<int>(units), nullptr, 0, nullptr, nullptr);
    if (size <= 0 || static_cast<std::size_t>(size) > maxBytes) continue;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide, static_cast<int>(units), bytes.data(), size, nullptr, nullptr);
    return bytes;
  }
  return {};
}

inline std::u16string AnsiToWide(std::string_view text, std::size_t maxUnits = kNoLimit) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<LPWSTR>(wide.data()), needed);
  if (wide.size() > maxUnits) wide.resize(maxUnits);
  return wide;
}

}  // namespace tq
