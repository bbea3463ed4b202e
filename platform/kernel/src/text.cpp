// UTF-8 / UTF-16 conversions for the project's own code. Malformed input is
// replaced by U+FFFD so that nothing here fails or throws.
#include "win/text.h"

#include "internal.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
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

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      // A run of ASCII, the usual text, in one step.
      size_t end = i + 1;
      while (end < text.size() && text[end] < 0x80) ++end;
      const size_t start = out.size();
      out.resize(start + (end - i));
      for (size_t k = i; k < end; ++k) out[start + (k - i)] = static_cast<char>(text[k]);
      i = end - 1;
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
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
