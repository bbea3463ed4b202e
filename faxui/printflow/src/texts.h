// The texts of the print-time fax flow that its templates (resources.cpp) do
// not hold: the cancellation message, the output trays' names and the
// recipient summary's words.
#pragma once

namespace tq::faxui::texts {

constexpr char16_t kJobCancelledCaption[] = u"Annulation de la télécopie";
constexpr char16_t kJobCancelled[] = u"Votre envoi de télécopie a été annulé !";

constexpr char16_t kTrayCentral[] = u"Bac récepteur central";
constexpr char16_t kTraySide[] = u"Bac récepteur latéral";
constexpr char16_t kTrayFinisherUpper[] = u"Module de finition - Bac sup.";
constexpr char16_t kTrayFinisherLower[] = u"Module de finition - Bac inf.";

// The recipient summary: the first recipient's name, or one of these when it
// has none, then the count of the others.
constexpr char kFirstNameUnknown[] = "1er nom inconnu";
constexpr char kNameUnknown[] = "Nom inconnu";
constexpr char kAndOthersFormat[] = " and %d others";

}  // namespace tq::faxui::texts
