// The Qt face's own texts, those of a French system: the file dialogs'
// titles when the call gives none. Message box buttons and the help window
// take the program's system texts (win/system_texts.h).
#pragma once

namespace tq::ui::qt::texts {

constexpr char16_t kOpenTitle[] = u"Ouvrir";
constexpr char16_t kSaveAsTitle[] = u"Enregistrer sous";

}  // namespace tq::ui::qt::texts
