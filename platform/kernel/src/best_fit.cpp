// The closest character for one a code page lacks, as the conversion to
// ANSI text uses it by default: a person's name keeps its letters ("Łódź"
// goes out as "Lódz" in code page 1252) instead of becoming question marks.
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <iterator>

#include "internal.h"

namespace tq::kernel {
namespace {

// Letters and signs whose closest character no decomposition gives.
constexpr std::pair<char16_t, char16_t> kNamed[] = {
    {u'\u00D0', u'D'}, {u'\u00D8', u'O'}, {u'\u00F0', u'd'}, {u'\u00F8', u'o'},
    {u'\u0110', u'D'}, {u'\u0111', u'd'}, {u'\u0126', u'H'}, {u'\u0127', u'h'},
    {u'\u0131', u'i'}, {u'\u0141', u'L'}, {u'\u0142', u'l'}, {u'\u0166', u'T'},
    {u'\u0167', u't'}, {u'\u0180', u'b'}, {u'\u0197', u'I'}, {u'\u01B5', u'Z'},
    {u'\u01B6', u'z'}, {u'\u02B9', u'\''}, {u'\u02BC', u'\''}, {u'\u02C6', u'^'},
    {u'\u02DC', u'~'}, {u'\u2010', u'-'}, {u'\u2011', u'-'}, {u'\u2012', u'-'},
    {u'\u2013', u'-'}, {u'\u2014', u'-'}, {u'\u2015', u'-'}, {u'\u2018', u'\''},
    {u'\u2019', u'\''}, {u'\u201A', u','}, {u'\u201C', u'"'}, {u'\u201D', u'"'},
    {u'\u201E', u'"'}, {u'\u2022', u'.'}, {u'\u2032', u'\''}, {u'\u2033', u'"'},
    {u'\u2039', u'<'}, {u'\u203A', u'>'}, {u'\u2212', u'-'},
};

// The first character of the compatibility decomposition when everything
// after it is a combining mark ("Ś" is "S" and a mark, "Ａ" is "A").
char16_t WithoutMarks(char16_t c) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status);
  if (U_FAILURE(status)) return 0;
  icu::UnicodeString parts;
  if (!nfkd->getDecomposition(c, parts) || parts.length() == 0) return 0;
  for (int32_t i = 1; i < parts.length(); ++i) {
    if (u_charType(parts.charAt(i)) != U_NON_SPACING_MARK) return 0;
  }
  const char16_t base = parts.charAt(0);
  return base != c ? base : 0;
}

}  // namespace

char16_t BestFitOf(char16_t c) {
  const auto named = std::find_if(std::begin(kNamed), std::end(kNamed), [c](const auto& pair) { return pair.first == c; });
  if (named != std::end(kNamed)) return named->second;
  // Blanks of every width are a blank.
  if (c == u'\u00A0' || (c >= u'\u2000' && c <= u'\u200A') || c == u'\u202F' || c == u'\u3000') return u' ';
  return WithoutMarks(c);
}

}  // namespace tq::kernel
