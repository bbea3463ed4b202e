// UTF-8 / UTF-16 conversions for the project's own code. Malformed input is
// replaced by U+FFFD so that nothing here fails or throws.
#include "win/text.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "internal.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

char* WriteCodePoint(char32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Overlong forms,
// surrogates and values past U+10FFFF are malformed.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (extra < 0 || lead > 0xF4) {
    ++i;
    return kReplacement;
  }
  char32_t c = lead & (0x3F >> extra);
  size_t k = i + 1;
  for (int n = 0; n < extra; ++n, ++k) {
    if (k >= text.size() || (byte(k) & 0xC0) != 0x80) {
      i = k;
      return kReplacement;
    }
    c = (c << 6) | (byte(k) & 0x3F);
  }
  i = k;
  constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  return c;
}

}  // namespace

namespace tq {

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

char* WriteUtf8(std::u16string_view text, char* out) {
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
#if defined(__SSE2__)
    // ASCII, the usual text, eight units at a time.
    const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    for (; i + 8 <= size; i += 8, out += 8) {
      const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
      if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, notAscii), zero)) != 0xFFFF) break;
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
    }
#endif
    if (i == size) break;
    char32_t c = text[i++];
    if (c < 0x80) {
      *out++ = static_cast<char>(c);
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i < size && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    out = WriteCodePoint(c, out);
  }
  return out;
}

void AppendUtf8(std::string& out, std::u16string_view text) {
  // Through a buffer on the stack, a piece at a time: the string grows by
  // what each piece takes and is never filled twice.
  constexpr size_t kPiece = 256;
  char buffer[kPiece * kMaxUtf8PerUnit];
  for (size_t at = 0; at < text.size();) {
    size_t length = std::min(kPiece, text.size() - at);
    // A surrogate pair stays in one piece.
    if (at + length < text.size() && text[at + length - 1] >= 0xD800 && text[at + length - 1] <= 0xDBFF) --length;
    out.append(buffer, WriteUtf8(text.substr(at, length), buffer));
    at += length;
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8(out, text);
  return out;
}

std::string NativePath(std::u16string_view name) {
  std::string path = Utf16ToUtf8(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace tq

namespace tq::kernel {

bool NativeName(LPCWSTR name, std::string& path) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  path = NativePath(name);
  if (path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return true;
}

}  // namespace tq::kernel

extern "C" int lstrlenW(LPCWSTR text) {
  if (text == nullptr) return 0;
  int n = 0;
  while (text[n] != 0) ++n;
  return n;
}

extern "C" int lstrlenA(LPCSTR text) {
  if (text == nullptr) return 0;
  int n = 0;
  while (text[n] != 0) ++n;
  return n;
}
