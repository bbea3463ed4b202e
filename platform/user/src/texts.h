// The window layer's own texts, those of a French system: the message box
// caption when none is given, the property sheet's buttons and title, and
// the system texts a program keeps unless it gives its own.
#pragma once

namespace tq::ui::texts {

constexpr char16_t kErrorCaption[] = u"Erreur";

constexpr char16_t kCancelButton[] = u"Annuler";
// OK becomes Close once a page has made a change that Cancel cannot undo.
constexpr char16_t kCloseButton[] = u"Fermer";
constexpr char16_t kApplyButton[] = u"A&ppliquer";
constexpr char16_t kHelpButton[] = u"&Aide";
// Before the caption of a sheet that asks for it (PSH_PROPTITLE).
constexpr char16_t kPropertiesOf[] = u"Propriétés de ";

// Message box buttons and the help window.
constexpr char kSystemLocale[] = "fr_FR";
constexpr char16_t kOkButton[] = u"OK";
constexpr char16_t kYesButton[] = u"&Oui";
constexpr char16_t kNoButton[] = u"&Non";
constexpr char16_t kHelpTitle[] = u"Aide";
constexpr char16_t kHelpBack[] = u"&Précédent";
constexpr char16_t kHelpForward[] = u"&Suivant";
constexpr char16_t kHelpClose[] = u"&Fermer";

}  // namespace tq::ui::texts
