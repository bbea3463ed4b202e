// The texts of the windows the system makes itself (the buttons of message
// boxes and the caption of one given none, the help window) and the
// language of Qt's own dialogs, in the interface language of the program
// that shows them. A program whose interface is not French gives its own at
// start, from its texts file, before its first window; the others keep the
// French ones.
#pragma once

#include <string>

namespace tq::ui {

struct SystemTexts {
  std::string locale;  // the language of Qt's own dialogs, as "fr_FR"
  std::u16string ok;
  std::u16string cancel;
  std::u16string yes;
  std::u16string no;
  std::u16string errorCaption;  // a message box's when the call gives none
  std::u16string helpTitle;
  std::u16string helpBack;
  std::u16string helpForward;
  std::u16string helpClose;
};

void UseSystemTexts(SystemTexts texts);
const SystemTexts& CurrentSystemTexts();

}  // namespace tq::ui
