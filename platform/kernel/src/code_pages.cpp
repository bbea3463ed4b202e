// Code page conversion through iconv. Conversion runs one character at a
// time so that a character the code page lacks becomes the default char,
// and a buffer that is too small receives whole characters only.
#include <iconv.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "internal.h"
#include "win/ansi_text.h"
#include "win/environment.h"

namespace {

constexpr UINT kDefaultAcp = 1252;

UINT Resolve(UINT codePage) { return codePage == CP_ACP ? GetACP() : codePage; }

// Windows numbers the ISO and KOI8 pages apart from the CPnnnn names iconv
// knows; vCard character sets reach them.
std::string IconvName(UINT codePage) {
  if (codePage == CP_UTF8) return "UTF-8";
  if (codePage == 20127) return "ASCII";
  if (codePage == 20866) return "KOI8-R";
  if (codePage >= 28591 && codePage <= 28599) return "ISO-8859-" + std::to_string(codePage - 28590);
  if (codePage == 28603 || codePage == 28605) return "ISO-8859-" + std::to_string(codePage - 28590);
  return "CP" + std::to_string(codePage);
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter per thread, code page and direction; iconv_t is not shared.
struct ConverterCache {
  std::map<std::pair<UINT, bool>, iconv_t> converters;
  ~ConverterCache() {
    for (auto& entry : converters) iconv_close(entry.second);
  }
};

iconv_t Converter(UINT codePage, bool toWide) {
  thread_local ConverterCache cache;
  auto key = std::make_pair(codePage, toWide);
  if (auto found = cache.converters.find(key); found != cache.converters.end()) return found->second;
  std::string name = IconvName(codePage);
  iconv_t cd = toWide ? iconv_open("UTF-16LE", name.c_str()) : iconv_open(name.c_str(), "UTF-16LE");
  if (cd != kNoConverter) cache.converters.emplace(key, cd);
  return cd;
}

// Converts `inSize` bytes; returns false on EILSEQ/EINVAL (converter reset).
bool ConvertChunk(iconv_t cd, const char* in, size_t inSize, std::string& out, size_t& consumed) {
  char buffer[64];
  char* inPtr = const_cast<char*>(in);
  size_t inLeft = inSize;
  char* outPtr = buffer;
  size_t outLeft = sizeof buffer;
  size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  out.append(buffer, static_cast<size_t>(outPtr - buffer));
  consumed = inSize - inLeft;
  if (result == static_cast<size_t>(-1)) {
    int error = errno;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    errno = error;
    return false;
  }
  return true;
}

std::u16string ComposeNfc(std::u16string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return std::u16string(text);
  icu::UnicodeString source(false, text.data(), static_cast<int32_t>(text.size()));
  icu::UnicodeString composed = nfc->normalize(source, status);
  if (U_FAILURE(status)) return std::u16string(text);
  return std::u16string(composed.getBuffer(), static_cast<size_t>(composed.length()));
}

// Appends the closest character the code page has for one it lacks;
// false when it has none (a pair of surrogates has none).
bool ConvertBestFit(iconv_t cd, char16_t c, size_t units, std::string& bytes) {
  const char16_t closest = units == 1 ? tq::kernel::BestFitOf(c) : 0;
  if (closest == 0) return false;
  const char wide[2] = {static_cast<char>(closest & 0xFF), static_cast<char>(closest >> 8)};
  const size_t before = bytes.size();
  size_t consumed = 0;
  if (ConvertChunk(cd, wide, 2, bytes, consumed) && consumed == 2) return true;
  bytes.resize(before);
  return false;
}

int SetError(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

extern "C" UINT GetACP() {
  const auto named = tq::EnvironmentValue("TELEQUILL_ACP");
  if (!named) return kDefaultAcp;
  char* end = nullptr;
  unsigned long value = std::strtoul(named->c_str(), &end, 10);
  // The records are single- or double-byte text: UTF-8 is no ANSI code
  // page here, and a page iconv does not know falls back to the default.
  if (*end != 0 || value == 0 || value == CP_UTF8 || value > 65535) return kDefaultAcp;
  auto page = static_cast<UINT>(value);
  return Converter(page, true) != kNoConverter ? page : kDefaultAcp;
}

extern "C" BOOL IsDBCSLeadByte(BYTE byte) {
  switch (GetACP()) {
    case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950: return byte >= 0x81 && byte <= 0xFE;
    default: return FALSE;
  }
}

extern "C" int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out,
                                   int outSize) {
  if (text == nullptr || length == 0 || length < -1 || outSize < 0) return SetError(ERROR_INVALID_PARAMETER);
  codePage = Resolve(codePage);
  iconv_t cd = Converter(codePage, true);
  if (cd == kNoConverter) return SetError(ERROR_INVALID_PARAMETER);
  size_t size = length == -1 ? std::strlen(text) + 1 : static_cast<size_t>(length);

  std::string bytes;  // UTF-16LE
  std::vector<size_t> boundaries;  // end of each character in `bytes`
  for (size_t i = 0; i < size;) {
    size_t consumed = 0;
    // Feed one byte, then two, until iconv takes a whole character.
    size_t take = 1;
    bool done = false;
    while (!done && take <= 4 && i + take <= size) {
      size_t before = bytes.size();
      if (ConvertChunk(cd, text + i, take, bytes, consumed) && consumed == take) {
        done = true;
      } else {
        bytes.resize(before);
        if (errno != EINVAL) break;  // EILSEQ: no longer sequence will do
        ++take;
      }
    }
    if (!done) {
      if ((flags & MB_ERR_INVALID_CHARS) != 0) return SetError(ERROR_NO_UNICODE_TRANSLATION);
      auto byte = static_cast<unsigned char>(text[i]);
      // Windows keeps the five unassigned bytes of 1252 as C1 controls.
      char16_t replacement = codePage == 1252 ? byte : codePage == CP_UTF8 ? 0xFFFD : u'?';
      bytes += static_cast<char>(replacement & 0xFF);
      bytes += static_cast<char>(replacement >> 8);
      take = 1;
    }
    i += take;
    boundaries.push_back(bytes.size());
  }
  int needed = static_cast<int>(bytes.size() / 2);
  if (outSize == 0) return needed;
  if (out == nullptr) return SetError(ERROR_INVALID_PARAMETER);
  int copied = needed;
  if (needed > outSize) {
    copied = 0;
    for (size_t end : boundaries) {
      if (static_cast<int>(end / 2) > outSize) break;
      copied = static_cast<int>(end / 2);
    }
  }
  for (int k = 0; k < copied; ++k) {
    out[k] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                   (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
  }
  if (needed > outSize) return SetError(ERROR_INSUFFICIENT_BUFFER);
  return needed;
}

extern "C" int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length, LPSTR out,
                                   int outSize, LPCSTR defaultChar, LPBOOL usedDefault) {
  if (usedDefault != nullptr) *usedDefault = FALSE;
  if (text == nullptr || length == 0 || length < -1 || outSize < 0) return SetError(ERROR_INVALID_PARAMETER);
  codePage = Resolve(codePage);
  if (codePage == CP_UTF8 && (defaultChar != nullptr || usedDefault != nullptr)) {
    return SetError(ERROR_INVALID_PARAMETER);
  }
  iconv_t cd = Converter(codePage, false);
  if (cd == kNoConverter) return SetError(ERROR_INVALID_PARAMETER);
  std::u16string_view source(text, length == -1 ? static_cast<size_t>(lstrlenW(text)) + 1
                                                : static_cast<size_t>(length));
  std::u16string composed;
  if ((flags & WC_COMPOSITECHECK) != 0 && codePage != CP_UTF8) {
    composed = ComposeNfc(source);
    source = composed;
  }
  std::string fallback = defaultChar != nullptr && *defaultChar != 0 ? std::string(defaultChar, 1) : "?";
  if (codePage == CP_UTF8) fallback = "\xEF\xBF\xBD";
  const bool bestFit = codePage != CP_UTF8 && (flags & WC_NO_BEST_FIT_CHARS) == 0;

  std::string bytes;
  std::vector<size_t> boundaries;
  for (size_t i = 0; i < source.size();) {
    size_t units = source[i] >= 0xD800 && source[i] <= 0xDBFF && i + 1 < source.size() &&
                           source[i + 1] >= 0xDC00 && source[i + 1] <= 0xDFFF
                       ? 2
                       : 1;
    char wide[4];
    for (size_t k = 0; k < units; ++k) {
      wide[2 * k] = static_cast<char>(source[i + k] & 0xFF);
      wide[2 * k + 1] = static_cast<char>(source[i + k] >> 8);
    }
    size_t before = bytes.size();
    size_t consumed = 0;
    if (!ConvertChunk(cd, wide, 2 * units, bytes, consumed) || consumed != 2 * units) {
      bytes.resize(before);
      if (!bestFit || !ConvertBestFit(cd, source[i], units, bytes)) {
        bytes += fallback;
        if (usedDefault != nullptr) *usedDefault = TRUE;
      }
    }
    i += units;
    boundaries.push_back(bytes.size());
  }
  int needed = static_cast<int>(bytes.size());
  if (outSize == 0) return needed;
  if (out == nullptr) return SetError(ERROR_INVALID_PARAMETER);
  size_t copied = bytes.size();
  if (needed > outSize) {
    copied = 0;
    for (size_t end : boundaries) {
      if (end > static_cast<size_t>(outSize)) break;
      copied = end;
    }
  }
  std::memcpy(out, bytes.data(), copied);
  if (needed > outSize) return SetError(ERROR_INSUFFICIENT_BUFFER);
  return needed;
}
