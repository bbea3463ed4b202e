// Finding one byte in a short stretch of a buffer, inline. Records are a
// few dozen bytes long, and a search meets a hundred thousand of them: a
// call to memchr for each costs more than the scan itself.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tq::phonebook {

// The offset of the first `byte` in the `size` bytes at `text`, or `size`.
inline std::size_t FindByte(const char* text, std::size_t size, char byte) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(byte);
  for (; i + 32 <= size; i += 32) {
    __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 16));
    auto hits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(first, wanted))) |
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(second, wanted))) << 16;
    if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits));
  }
  for (; i + 16 <= size; i += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
    if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits));
  }
#endif
  for (; i < size; ++i) {
    if (text[i] == byte) return i;
  }
  return size;
}

}  // namespace tq::phonebook
