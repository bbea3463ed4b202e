// The texts of the phonebook operations: the file error messages, the
// messages of reading and expanding, the file dialog's titles and the
// conversion offer. The phonebook dialogs show some of them too.
#pragma once

#include <string>
#include <string_view>

namespace tq::phonebook::texts {

// "Nom : NAME\nN° de fax : NUMBER", the head of the messages about one entry.
inline std::u16string NameAndNumber(std::u16string_view name, std::u16string_view faxNumber) {
  std::u16string text = u"Nom : ";
  text.append(name).append(u"\nN° de fax : ").append(faxNumber);
  return text;
}

// Reading the phonebook file.
constexpr char16_t kDatabaseErrorCaption[] = u"Erreur de fichier de base de données";
constexpr char16_t kReadNoMemory[] =
    u"Mémoire insuffisante. Impossible d'accéder au fichier de données de l'annuaire.";
constexpr char16_t kCannotAccess[] = u"Impossible d'accéder à l'annuaire - ";
constexpr char16_t kNotFound[] = u"Impossible de trouver le fichier de données de l'annuaire - ";
constexpr char16_t kBadFormat[] = u"Format de fichier de données (.ADF) d'annuaire non valide - ";

// Adding the members of a group to the recipient list.
constexpr char16_t kAddRecipientCaption[] = u"Ajouter le destinataire à la liste";
constexpr char16_t kAlreadyInList[] =
    u"\n\nCe destinataire existe déjà dans la liste.\nSouhaitez-vous quand même l'ajouter ?";
constexpr char16_t kListFullSomeNotAdded[] =
    u"La liste contient maintenant le nombre maximum de 50 destinataires.\n"
    u"Certaines entrées n'ont pas été ajoutées.";

// Phonebook files: New, Open, Save As and the conversion of old files.
constexpr char16_t kPhonebookCaptionPrefix[] = u"Annuaire - ";
constexpr char16_t kNewTitle[] = u"Nouveau";
constexpr char16_t kOpenTitle[] = u"Ouvrir";
constexpr char16_t kSaveAsTitle[] = u"Enregistrer sous";
constexpr char16_t kSaveConversionTitle[] = u"Enregistrer la conversion sous";
constexpr char16_t kReplaceFileQuestion[] = u"\nCe fichier existe déjà. Souhaitez-vous le remplacer ?";
constexpr char16_t kConversionQuestion[] =
    u"\nLe format de fichier a été créé par une version antérieure du pilote.\n"
    u"Souhaitez-vous le convertir ?"
    u"\n\nRemarque :\nLes entrées associées au même nom et au même numéro de fax sont "
    u"considérées\ncomme des doublons. Seule la première entrée sera convertie.";
constexpr char16_t kConversionCaption[] = u"Conversion de fichier";
constexpr char16_t kSaveAsNoMemory[] = u"Mémoire insuffisante. Impossible d'exécuter l'opération Enregistrer sous.";
constexpr char16_t kSaveAsNoDiskSpace[] =
    u"Espace disque insuffisant. Impossible d'exécuter l'opération Enregistrer sous.";
constexpr char16_t kCopyFailed[] =
    u"Erreur de copie de fichier !\nImpossible d'exécuter l'opération Enregistrer sous.";

}  // namespace tq::phonebook::texts
