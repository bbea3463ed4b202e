// The parts of a display line, read straight from a record's bytes. Listing
// a large phonebook reads two parts of every record, so the ASCII case is
// inline and scans sixteen bytes at a time where it can.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/record_key.h"
#include "phonebook/afd_format.h"

namespace tq::phonebook {

// A display line carries each part with at most 30 units.
inline constexpr std::size_t kLinePartUnits = 30;
// The room WidenLinePart needs at `out`: it may write a little past the part.
inline constexpr std::size_t kLinePartRoom = 32;

// Writes the ANSI text (at most 30 bytes, not all ASCII) at `out` through
// the code page; returns the units written.
std::size_t WidenThroughCodePage(std::string_view text, char16_t* out);

// Finds the end of the field that starts the text (its first 0x03, or the
// text's end) and widens its first kLinePartRoom bytes at `out`. `high` gets
// a bit for each of those bytes that is not ASCII.
inline std::size_t ScanAndWidenField(const char* text, std::size_t size, char16_t* out, std::uint32_t& high) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i fieldEnd = _mm_set1_epi8(kFieldEnd);
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    if (i < kLinePartRoom) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
      high |= static_cast<std::uint32_t>(_mm_movemask_epi8(bytes)) << i;
    }
    auto ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, fieldEnd)));
    if (ends != 0) return i + static_cast<std::size_t>(std::countr_zero(ends));
  }
#endif
  for (; i < size; ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte == kFieldEnd) return i;
    if (i < kLinePartRoom) {
      out[i] = byte;
      high |= static_cast<std::uint32_t>(byte >> 7) << i;
    }
  }
  return size;
}

// Reads the field that starts `text` (it ends at the first 0x03, or with the
// text) and writes its first 30 bytes as UTF-16 at `out`, which has room for
// kLinePartRoom units: ASCII as it is, other text through the code page.
// Returns the field's length in bytes and sets `units` to the units written
// (never more than the bytes).
inline std::size_t WidenLinePart(std::string_view text, char16_t* out, std::size_t& units) {
  std::uint32_t high = 0;
  std::size_t length = ScanAndWidenField(text.data(), text.size(), out, high);
  units = std::min(length, kLinePartUnits);
  if ((high & ((std::uint32_t{1} << units) - 1)) != 0) units = WidenThroughCodePage(text.substr(0, units), out);
  return length;
}

// The display line "name <fax>" of an individual record's body (the record
// without its start and end bytes) at `line`, which has room for
// kIndividualLineRoom units; returns its length.
inline constexpr std::size_t kIndividualLineRoom = 2 + 2 * kLinePartRoom;
std::size_t IndividualLineSlowly(std::string_view body, char16_t* line);
[[gnu::always_inline]] inline std::size_t IndividualLine(std::string_view body, char16_t* line) {
#if defined(__SSE2__)
  // Most records have an ASCII name and fax number that both end within
  // the body's first 32 bytes: read those with two loads, and the fax
  // number, moved one place for the " <", with a third.
  if (body.size() >= 32) {
    const __m128i fieldEnd = _mm_set1_epi8(kFieldEnd);
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(body.data()));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(body.data() + 16));
    std::uint32_t ends = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, fieldEnd))) |
                         static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, fieldEnd))) << 16;
    std::uint32_t nonAscii = static_cast<std::uint32_t>(_mm_movemask_epi8(low)) |
                             static_cast<std::uint32_t>(_mm_movemask_epi8(high)) << 16;
    std::uint32_t afterName = ends & (ends - 1);
    if (ends != 0 && afterName != 0) {
      auto name = static_cast<std::size_t>(std::countr_zero(ends));
      auto faxEnd = static_cast<std::size_t>(std::countr_zero(afterName));
      std::size_t fax = faxEnd - name - 1;
      if (name <= kLinePartUnits && fax <= 16 && name + 17 <= body.size() &&
          (nonAscii & ((std::uint32_t{1} << faxEnd) - 1)) == 0) {
        const __m128i zero = _mm_setzero_si128();
        auto* out = reinterpret_cast<__m128i*>(line);
        _mm_storeu_si128(out, _mm_unpacklo_epi8(low, zero));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi8(low, zero));
        _mm_storeu_si128(out + 2, _mm_unpacklo_epi8(high, zero));
        _mm_storeu_si128(out + 3, _mm_unpackhi_epi8(high, zero));
        line[name] = kLineBlank;
        line[name + 1] = kLineNumberOpen;
        __m128i faxBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(body.data() + name + 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + name + 2), _mm_unpacklo_epi8(faxBytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + name + 10), _mm_unpackhi_epi8(faxBytes, zero));
        line[name + 2 + fax] = kLineNumberClose;
        return name + fax + 3;
      }
    }
  }
#endif
  return IndividualLineSlowly(body, line);
}

}  // namespace tq::phonebook
