// The texts of the communication settings dialog that its template
// (resources.cpp) does not hold: its title, which the recipient dialog's
// messages about it carry too, and its refusals.
#pragma once

namespace tq::faxui::texts {

constexpr char16_t kCommCaption[] = u"Paramètres de communication";
constexpr char16_t kSecureCaption[] = u"Paramètres de télécopie protégée non valides";
constexpr char16_t kRelayCaption[] = u"Paramètres de télécopie relais non valides";
constexpr char16_t kMailboxRequired[] =
    u"Un numéro de boîte aux lettres (1 - 200) doit être spécifié pour l'envoi de télécopie protégée.";
constexpr char16_t kMailboxPasswordLength[] =
    u"Un mot de passe à 4 chiffres doit être spécifié pour l'envoi de télécopie protégée.";
constexpr char16_t kRelayTerminalRequired[] =
    u"Un ID de terminal relais (1 - 99) doit être spécifié pour l'envoi de télécopie relais.";
constexpr char16_t kDestinationListEmpty[] =
    u"Un ID de destination doit être ajouté à la liste des destinations pour l'envoi de télécopie relais.";
constexpr char16_t kGroupDestinationRange[] =
    u"Un ID de destination groupe (1-9) doit être spécifié pour l'envoi de télécopie relais.";
constexpr char16_t kNoDigitAfterStar[] =
    u"Il n'est pas obligatoire d'entrer un chiffre après '*' (composition abrégée) lorsque vous "
    u"entrez un numéro de composition abrégée dans la liste des destinations de l'envoi de "
    u"télécopie relais.";
constexpr char16_t kDestinationRange[] =
    u"Un ID de destination (1-99) doit être spécifié pour l'envoi de télécopie relais.";

}  // namespace tq::faxui::texts
