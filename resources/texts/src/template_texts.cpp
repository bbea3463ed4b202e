// Reading the texts of the library's templates.
#include "qlres/template_texts.h"

#include <charconv>
#include <climits>
#include <vector>

#include "win/text.h"

namespace tq::qlres {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// A decimal integer with an optional minus sign, all of `text`, fitting an int.
std::optional<int> Integer(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) {
    if (!IsDigit(c) && !(c == u'-' && narrow.empty())) return std::nullopt;
    narrow.push_back(static_cast<char>(c));
  }
  int value = 0;
  const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (narrow.empty() || error != std::errc() || end != narrow.data() + narrow.size()) return std::nullopt;
  return value;
}

// By model (N, P), then in the order of CustomControl.
constexpr const char16_t* kClassNames[2][4] = {
    {u"qlhostn_IMAGE", u"qlhostn_SPINNER", u"qlhostn_PAPER", u"qlhostn_TABCONTROL"},
    {u"qlhostp_IMAGE", u"qlhostp_SPINNER", u"qlhostp_PAPER", u"qlhostp_TABCONTROL"},
};

}  // namespace

TextReference ReadTextReference(std::u16string_view text) {
  if (text.size() < 2 || text[0] != u'#' || !IsDigit(text[1])) return {};
  const std::optional<int> id = Integer(text.substr(1));
  if (!id || *id < 0 || *id > 0xFFFF) return {TextReference::kMalformed, 0};
  return {TextReference::kString, static_cast<unsigned>(*id)};
}

SpinnerParse ParseSpinnerText(std::u16string_view text) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(u',', start);
    const std::u16string_view field = text.substr(start, comma == std::u16string_view::npos ? text.npos : comma - start);
    const std::optional<int> number = Integer(field);
    if (!number) return {std::nullopt, "not a number: \"" + tq::Utf16ToUtf8(field) + "\""};
    numbers.push_back(*number);
    if (comma == std::u16string_view::npos) break;
    start = comma + 1;
  }
  if (numbers.size() != 6) return {std::nullopt, "six numbers expected, " + std::to_string(numbers.size()) + " given"};
  const SpinnerParameters p{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
  if (p.minimum > p.maximum) return {std::nullopt, "minimum above maximum"};
  if (p.step < 1 || (p.maximum > p.minimum && static_cast<long long>(p.step) > static_cast<long long>(p.maximum) - p.minimum)) {
    return {std::nullopt, "step out of range"};
  }
  if (p.buddy < 1 || p.buddy > 0xFFFF) return {std::nullopt, "buddy is no control identifier"};
  return {p, {}};
}

const char16_t* CustomClassName(CustomControl control, Model model) {
  return kClassNames[model == Model::P ? 1 : 0][static_cast<std::size_t>(control)];
}

bool SameClassName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::optional<CustomControl> CustomControlOf(std::u16string_view className, Model model) {
  for (std::size_t i = 0; i < 4; ++i) {
    const auto control = static_cast<CustomControl>(i);
    if (SameClassName(CustomClassName(control, model), className)) return control;
  }
  return std::nullopt;
}

}  // namespace tq::qlres
