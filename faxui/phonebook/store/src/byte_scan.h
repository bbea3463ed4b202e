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

// Finds the bytes of one value in a buffer in ascending order, 64 bytes at
// a time: each block's matches become the bits of one word, and finding the
// next match is then a few bit operations. A walk over records that asks
// for each record's end byte so has no chain of loads from one record to
// the next.
class ByteFinder {
 public:
  ByteFinder(const char* text, std::size_t size, char byte) : text_(text), size_(size), byte_(byte) {}

  // The offset of the first match after `offset`, or the size.
  std::size_t NextAfter(std::size_t offset) {
    std::size_t from = offset + 1;
    if (from >= size_) return size_;
    std::size_t block = from & ~std::size_t{63};
    if (block != block_) Load(block);
    std::uint64_t bits = bits_ & (~std::uint64_t{0} << (from & 63));
    while (bits == 0) {
      if (block_ + 64 >= size_) return size_;
      Load(block_ + 64);
      bits = bits_;
    }
    return block_ + static_cast<std::size_t>(std::countr_zero(bits));
  }

 private:
  void Load(std::size_t block) {
    block_ = block;
    std::uint64_t bits = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    if (block + 64 <= size_) {
      const __m128i wanted = _mm_set1_epi8(byte_);
      auto matches = [&](std::size_t at) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + block + at));
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted))));
      };
      bits = matches(0) | matches(16) << 16 | matches(32) << 32 | matches(48) << 48;
      i = 64;
    }
#endif
    // The last block of the buffer, or every block without SSE2.
    for (; i < 64 && block + i < size_; ++i) {
      if (text_[block + i] == byte_) bits |= std::uint64_t{1} << i;
    }
    bits_ = bits;
  }

  const char* text_;
  std::size_t size_;
  char byte_;
  std::size_t block_ = ~std::size_t{0};
  std::uint64_t bits_ = 0;
};

}  // namespace tq::phonebook
