// The Qt face's own texts, those of a French system: message box buttons,
// file dialog titles and the help window.
#pragma once

namespace tq::ui::qt::texts {

constexpr char16_t kCancelButton[] = u"Annuler";
constexpr char16_t kYesButton[] = u"&Oui";
constexpr char16_t kNoButton[] = u"&Non";

constexpr char16_t kOpenTitle[] = u"Ouvrir";
constexpr char16_t kSaveAsTitle[] = u"Enregistrer sous";

constexpr char16_t kHelpTitle[] = u"Aide";
constexpr char16_t kBackButton[] = u"&Précédent";
constexpr char16_t kForwardButton[] = u"&Suivant";
constexpr char16_t kCloseButton[] = u"&Fermer";

}  // namespace tq::ui::qt::texts
