// The texts of the recipient dialog and of the communication settings dialog
// that their templates (resources.cpp) do not hold: captions and messages.
#pragma once

#include <string>
#include <string_view>

namespace tq::faxui::texts {

// Recipient dialog.
constexpr char16_t kNoPhonebook[] = u"--Aucun--";
constexpr char16_t kFaxCaption[] = u"Télécopie";
constexpr char16_t kNoRecipient[] =
    u"Aucun numéro de fax n'a été entré.\nLa télécopie ne peut pas être envoyée.";
constexpr char16_t kImportReplacesList[] =
    u"Les entrées importées remplaceront tous les destinataires apparaissant dans la liste.\n"
    u"Continuer ?";

// Adding a typed recipient to the list.
constexpr char16_t kAddCaption[] = u"Ajouter le destinataire à la liste";
constexpr char16_t kSpeedDialWildcardMisuse[] =
    u"Numéro de composition abrégée non valide.\nLe caractère générique (*) ne peut être "
    u"utilisé que dans les formats de type 11* ou ***.";
constexpr char16_t kSpeedDialOutOfRange[] = u"Ce numéro de composition abrégée est supérieur à la limite.";
constexpr char16_t kEnterFaxNumber[] = u"Entrez un numéro de fax.";
constexpr char16_t kListFull[] =
    u"La liste contient maintenant le nombre maximum de 50 destinataires.\nCette entrée n'a pas "
    u"été ajoutée.";

// "Nom : NAME\nN° de fax : NUMBER" followed by `question`.
inline std::u16string AboutRecipient(std::u16string_view name, std::u16string_view number,
                                     std::u16string_view question) {
  std::u16string text = u"Nom : ";
  text.append(name).append(u"\nN° de fax : ").append(number).append(question);
  return text;
}
constexpr char16_t kAddDuplicateQuestion[] =
    u"\n\nCe destinataire existe déjà dans la liste.\nSouhaitez-vous quand même l'ajouter ?";

// Removing and inspecting lines of the list.
constexpr char16_t kRemoveQuestion[] = u"Souhaitez-vous supprimer les destinataires sélectionnés de la liste ?";
constexpr char16_t kRemoveCaption[] = u"Suppression de destinataires de la liste";
constexpr char16_t kCommNeedsOneLine[] =
    u"Impossible d'afficher la boîte de dialogue Paramètres de communication.\nPour "
    u"l'afficher, sélectionnez un destinataire dans la liste.";
constexpr char16_t kCommCaption[] = u"Paramètres de communication";

// Storing recipients in the current phonebook.
constexpr char16_t kStoreCaption[] = u"Ajout à l'annuaire";
constexpr char16_t kStoreNoMemory[] = u"Mémoire insuffisante. Impossible de continuer.";
constexpr char16_t kStoreNoDiskSpace[] = u"Espace disque insuffisant. Impossible de continuer.";
constexpr char16_t kSpeedDialNotStored[] =
    u"Ce numéro de composition abrégée ne peut pas être ajouté à l'annuaire.";
constexpr char16_t kSpeedDialsNotStored[] =
    u"Vous avez sélectionné un ou plusieurs numéros de composition abrégée.\n"
    u"Ces numéros ne seront pas ajoutés à l'annuaire.";
constexpr char16_t kStoreReplaceQuestion[] =
    u"\n\nLe nom du destinataire existe déjà dans l'annuaire courant.\nSouhaitez-vous le remplacer ?";
constexpr char16_t kStoreNeedsSelection[] = u"Au moins un destinataire doit être sélectionné dans la liste.";
constexpr char16_t kStoreFailed[] = u"Impossible d'ajouter les destinataires sélectionnés à l'annuaire courant.";

// Communication settings dialog.
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
