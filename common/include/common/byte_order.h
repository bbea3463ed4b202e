// Reading and writing the 32-bit little-endian fields of host blocks that
// are addressed by offset rather than through a structure.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the records are little-endian and are used in place");

namespace tq {

inline std::int32_t ReadInt32(const void* base, std::size_t offset) {
  std::int32_t value;
  std::memcpy(&value, static_cast<const std::uint8_t*>(base) + offset, sizeof value);
  return value;
}

inline void WriteInt32(void* base, std::size_t offset, std::int32_t value) {
  std::memcpy(static_cast<std::uint8_t*>(base) + offset, &value, sizeof value);
}

}  // namespace tq
