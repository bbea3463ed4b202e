// qlautocfg's texts outside its resource script: what the system's own
// windows (message box buttons, the help window) and Qt's dialogs show in
// the program's Spanish.
#pragma once

#include "win/system_texts.h"

namespace tq::autocfg {

inline tq::ui::SystemTexts SpanishSystemTexts() {
  tq::ui::SystemTexts texts;
  texts.locale = "es_ES";
  texts.ok = u"Aceptar";
  texts.cancel = u"Cancelar";
  texts.yes = u"&Sí";
  texts.no = u"&No";
  texts.errorCaption = u"Error";
  texts.helpTitle = u"Ayuda";
  texts.helpBack = u"&Atrás";
  texts.helpForward = u"A&delante";
  texts.helpClose = u"&Cerrar";
  return texts;
}

}  // namespace tq::autocfg
