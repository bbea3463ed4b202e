// What the host's dialog framework reads in the texts of the library's
// templates: "#nnnn" references to strings, a spinner's six numbers, and
// the model's custom control classes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/model.h"

namespace tq::qlres {

// A caption or control text: plain, "#" and a string identifier, or "#"
// and a digit followed by something that is no identifier ("#70x", "#99999").
struct TextReference {
  enum Kind { kPlain, kString, kMalformed } kind = kPlain;
  unsigned id = 0;  // with kString
};
TextReference ReadTextReference(std::u16string_view text);

// A spinner's window text "minimum,maximum,step,a,b,buddy": six decimal
// integers, the two values a and b kept for the control's own use, the
// last the identifier of its buddy edit.
struct SpinnerParameters {
  int minimum = 0;
  int maximum = 0;
  int step = 1;
  int own1 = 0;
  int own2 = 0;
  int buddy = 0;
};

// The parameters, or the reason they are refused: not six numbers, a
// minimum above the maximum, a step below 1 or wider than the range, a
// buddy that is no control identifier (1 to 65535).
struct SpinnerParse {
  std::optional<SpinnerParameters> parameters;
  std::string error;
};
SpinnerParse ParseSpinnerText(std::u16string_view text);

// The host's custom control classes; the library of model N names them
// "qlhostn_IMAGE", ..., that of model P "qlhostp_IMAGE", ...
enum class CustomControl { kImage, kSpinner, kPaper, kTabControl };

// The class's name for `model`, a constant text.
const char16_t* CustomClassName(CustomControl control, Model model);
// Whether two window class names are the same, compared without case.
bool SameClassName(std::u16string_view a, std::u16string_view b);
// The custom control a class name names for `model`, compared
// without case as window classes are; none for another model's or any other class.
std::optional<CustomControl> CustomControlOf(std::u16string_view className, Model model);

}  // namespace tq::qlres
