// The window layer's own texts, those of a French system: the message box
// caption when none is given and the property sheet's buttons and title.
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

}  // namespace tq::ui::texts
