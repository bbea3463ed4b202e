// The texts of the phonebook dialogs that their templates
// (dialog_resources.cpp) do not hold: captions, titles and messages. Those
// they share with the phonebook operations are the operations' own.
#pragma once

#include "phonebook/texts.h"

namespace tq::phonebook::texts {

// Adding entries to the recipient list.
constexpr char16_t kListFullEntryNotAdded[] =
    u"La liste contient maintenant le nombre maximum de 50 destinataires.\nCette entrée n'a pas été ajoutée.";
constexpr char16_t kRemoveRecipientsQuestion[] =
    u"Souhaitez-vous supprimer les destinataires sélectionnés de la liste ?";
constexpr char16_t kRemoveRecipientsCaption[] = u"Suppression de destinataires de la liste";
constexpr char16_t kDetailsUnreadable[] =
    u"\n\nErreur de base de données.\nImpossible d'obtenir les propriétés du destinataire.";
constexpr char16_t kDetailsUnreadableCaption[] = u"Lecture des propriétés du destinataire";

// The phonebook dialog's caption when no phonebook can be read.
constexpr char16_t kPhonebookCaption[] = u"Annuaire";

// Entries and groups: creating, editing, deleting.
constexpr char16_t kNoMemory[] = u"Mémoire insuffisante. Impossible de continuer.";
constexpr char16_t kNoDiskSpace[] = u"Espace disque insuffisant. Impossible de continuer.";
constexpr char16_t kEntryNoMemory[] =
    u"Mémoire insuffisante. Impossible d'accéder au fichier de données de l'annuaire.\n";
constexpr char16_t kEntryNoDiskSpace[] = u"Espace disque insuffisant. Impossible de continuer.\n";
constexpr char16_t kNewEntryTitle[] = u"Nouvelle entrée individuelle";
constexpr char16_t kEntryNotCreated[] = u"L'entrée ne peut pas être créée.";
constexpr char16_t kNewGroupTitle[] = u"Nouveau groupe";
constexpr char16_t kGroupNotCreated[] = u"Le nouveau groupe ne peut pas être créé.";
constexpr char16_t kGroupPropertiesTitle[] = u"Modification des propriétés du groupe";
constexpr char16_t kGroupPropertiesNotChanged[] = u"Les propriétés du groupe ne peuvent pas être modifiées.";
constexpr char16_t kPropertiesCaption[] = u"Modification des propriétés";
constexpr char16_t kNoSingleSelection[] =
    u"Impossible d'afficher la boîte de dialogue Propriétés.\nVous devez sélectionner une seule entrée dans la liste.";
constexpr char16_t kPropertiesNotChanged[] = u"Les propriétés ne peuvent pas être modifiées.";
constexpr char16_t kEntryMissing[] =
    u"\n\nErreur de base de données.\nImpossible de trouver cette entrée dans le fichier "
    u"de données de l'annuaire - ";
constexpr char16_t kDeleteCaption[] = u"Suppression d'entrées de l'annuaire";
constexpr char16_t kDeleteQuestion[] =
    u"Souhaitez-vous supprimer les entrées sélectionnées de l'annuaire courant ?";
constexpr char16_t kDeleteNoMemory[] = u"Mémoire insuffisante. Impossible d'accéder à l'annuaire.\n";
constexpr char16_t kNotAllDeleted[] = u"Toutes les entrées sélectionnées n'ont pas été supprimées.";
constexpr char16_t kReplaceEntryQuestion[] =
    u"\n\nLe nom du destinataire existe déjà dans l'annuaire courant.\nSouhaitez-vous le remplacer ?";

// Entry editor and details view.
constexpr char16_t kDetailsTitle[] = u"Informations destinataire";
constexpr char16_t kCloseButton[] = u"Fermer";
constexpr char16_t kCancelButton[] = u"Annuler";
constexpr char16_t kEnterFaxNumber[] = u"Entrez un numéro de fax.";
constexpr char16_t kEntryExists[] =
    u"Cette entrée individuelle existe déjà dans le fichier de données d'annuaire courant.\nEntrez un autre nom.";

// Group editor and viewer.
constexpr char16_t kGroupPropertiesSuffix[] = u" Propriétés du groupe";
constexpr char16_t kRemoveMembersQuestion[] =
    u"Souhaitez-vous supprimer les membres de groupe sélectionnés de la liste ?";
constexpr char16_t kRemoveMembersCaption[] = u"Suppression de membres de groupe";
constexpr char16_t kEnterGroupName[] = u"Entrez un nom de groupe.";
constexpr char16_t kGroupExists[] =
    u"Ce nom de groupe existe déjà dans le fichier de données d'annuaire courant.\nEntrez un autre nom.";
constexpr char16_t kGroupTooLarge[] =
    u"Mémoire insuffisante. Impossible de continuer.\nDiminuez le nombre de membres du groupe puis recommencez.";

}  // namespace tq::phonebook::texts
