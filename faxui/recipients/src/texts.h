// The texts of the recipient dialog that its template (resources.cpp) does
// not hold: captions and messages. Its questions about one recipient start
// with the phonebook's phonebook::texts::NameAndNumber; the communication
// settings dialog's title is that dialog's own.
#pragma once

#include "phonebook/texts.h"
#include "recipient_list/texts.h"

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

// Removing and inspecting lines of the list.
constexpr char16_t kRemoveQuestion[] = u"Souhaitez-vous supprimer les destinataires sélectionnés de la liste ?";
constexpr char16_t kRemoveCaption[] = u"Suppression de destinataires de la liste";
constexpr char16_t kCommNeedsOneLine[] =
    u"Impossible d'afficher la boîte de dialogue Paramètres de communication.\nPour "
    u"l'afficher, sélectionnez un destinataire dans la liste.";

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

}  // namespace tq::faxui::texts
