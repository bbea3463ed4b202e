#include "charsets.h"

#include <cctype>
#include <string>

#include "win/kernel.h"
#include "win/text.h"

namespace tq::vcard {
namespace {

struct Alias {
  const char* name;
  unsigned codePage;
};

constexpr Alias kCharsets[] = {
    {"UTF-8", CP_UTF8},         {"UTF8", CP_UTF8},         {"US-ASCII", 20127},
    {"ASCII", 20127},           {"ISO-8859-1", 28591},     {"LATIN1", 28591},
    {"ISO-8859-2", 28592},      {"ISO-8859-5", 28595},     {"ISO-8859-7", 28597},
    {"ISO-8859-9", 28599},      {"ISO-8859-15", 28605},    {"WINDOWS-1250", 1250},
    {"WINDOWS-1251", 1251},     {"WINDOWS-1252", 1252},    {"WINDOWS-1253", 1253},
    {"WINDOWS-1254", 1254},     {"CP1252", 1252},          {"SHIFT_JIS", 932},
    {"SHIFT-JIS", 932},         {"SJIS", 932},             {"WINDOWS-31J", 932},
    {"KOI8-R", 20866},          {"GB2312", 936},           {"GBK", 936},
    {"BIG5", 950},              {"EUC-KR", 949},
};

bool ValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || (length == 2 && c < 0xC2) || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::string Convert(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  size = MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), size);
  wide.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  return Utf16ToUtf8(wide);
}

}  // namespace

unsigned CodePageOfCharset(std::string_view charset) {
  std::string upper(charset);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Alias& alias : kCharsets) {
    if (upper == alias.name) return alias.codePage;
  }
  return 0;
}

std::string ToUtf8(std::string_view bytes, std::string_view charset) {
  unsigned codePage = charset.empty() ? 0 : CodePageOfCharset(charset);
  if (codePage == CP_UTF8 || codePage == 0) {
    if (ValidUtf8(bytes)) return std::string(bytes);
    return Convert(bytes, CP_ACP);
  }
  return Convert(bytes, codePage);
}

}  // namespace tq::vcard
