// The Import application's texts that its templates and string table
// (resources.cpp) do not hold: captions, titles, source names and messages.
#pragma once

#include <string>
#include <string_view>

namespace tq::import::text {

// Captions of the run's messages.
constexpr char16_t kRunCaption[] = u"Importation des données d'un destinataire";
constexpr char16_t kFileErrorCaption[] = u"Erreur d'importation CSV";
constexpr char16_t kCsvCaption[] = u"Importation CSV";
constexpr char16_t kSpeedDialCaption[] = u"Importation du fichier EWS-CSV";

// What the run tells when it has nothing, or too much, to hand back.
constexpr char16_t kNothingToImport[] = u"Pas d'entrée à importer.";
// A result file that cannot be written, as the phonebook's writes say it.
constexpr char16_t kResultNotWritten[] = u"Espace disque insuffisant. Impossible de continuer.";
constexpr char16_t kNoFaxNumberFound[] =
    u"Impossible de trouver de numéro de fax dans les entrées sélectionnées.\nAucune entrée ne sera importée.";
constexpr char16_t kListFull[] =
    u"La liste de destinataires a atteint le nombre maximum d'entrées.\nVous ne pouvez pas importer plus de 50 "
    u"destinataires.";
constexpr char16_t kNoMemoryForSelection[] =
    u"Mémoire insuffisante. Impossible d'ajouter plusieurs entrées.\nDiminuez le nombre d'entrées et recommencez.";

// The data sources offered by the first dialog.
constexpr char16_t kSourceMessaging[] = u"Carnet d'adresses MS Messaging System";
constexpr char16_t kSourceWab[] = u"Carnet d'adresses Windows (WAB)";
constexpr char16_t kSourceCsv[] = u"Valeurs séparées par une virgule (CSV)";
constexpr char16_t kSourceSpeedDial[] = u"Données de composition abrégée EWS-CSV";

// Titles of the file selection.
constexpr char16_t kChooseWabTitle[] = u"Importation du fichier WAB";
constexpr char16_t kChooseCsvTitle[] = u"Importation du fichier CSV";
constexpr char16_t kChooseSpeedDialTitle[] = u"Importation de fichier EWS-CSV de composition abrégée";

// A file that cannot be imported; %s is its path.
constexpr char16_t kBadSpeedDialFormat[] =
    u"Format de données EWS CSV non valide!\nImpossible d'importer les données depuis %s.";
constexpr char16_t kBadCsvFormat[] = u"Format de données CSV non valide!\nImpossible d'importer les données depuis %s.";
constexpr char16_t kNoFaxColumn[] = u"Impossible de trouver le numéro de fax dans %s.\nAucune entrée ne sera importée.";
constexpr char16_t kFileNoMemory[] = u"Mémoire insuffisante. Impossible d'importer les données depuis %s.";
constexpr char16_t kFileUnreadable[] = u"Impossible d'accéder à %s.\nAucune donnée n'a été lue pour l'importation.";

// Associating the CSV columns.
constexpr char16_t kAssociate[] = u"Associer à";
constexpr char16_t kDissociate[] = u"Dissocier";
constexpr char16_t kFaxFieldRequired[] = u"Vous devez associer au moins un champ au numéro de fax.";

// Speed-dial selection and details.
constexpr char16_t kSpeedDialChosenTitle[] = u"N° de composition abrégée\tDestinataires sélectionnés";
constexpr char16_t kSpeedDialDetailsTitle[] = u"N° de composition abrégée ";
constexpr char16_t kDetailsNeedOneLine[] =
    u"Vous devez sélectionner un numéro de composition abrégée dans la liste pour en afficher les détails.";
// "Nome: NAME\nN. fax: NUMBER" and the question about replacing it.
inline std::u16string ReplaceChosenQuestion(std::u16string_view name, std::u16string_view faxNumber) {
  std::u16string text = u"Nome: ";
  text.append(name).append(u"\nN. fax: ").append(faxNumber);
  text.append(u"\n\nCe destinataire existe déjà dans la sélection courante.\nSouhaitez-vous le remplacer ?");
  return text;
}

// Confirmation.
constexpr char16_t kCountSuffix[] = u" entrées seront importées :";
constexpr char16_t kRejectedFromSelection[] = u"Rejeté(s) de la sélection :";
constexpr char16_t kRejectedFromDatabase[] = u"Rejeté(s) de la base de données :";
constexpr char16_t kOnlyFirstImported[] = u"*Seules les 50 premières entrées seront importées.";

}  // namespace tq::import::text
