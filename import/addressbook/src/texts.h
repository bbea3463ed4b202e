// The address book import's texts: its start-up messages and the captions
// it gives the address dialog.
#pragma once

namespace tq::import::text {

constexpr char16_t kMapiMissing[] = u"Impossible de trouver le fichier .DLL requis, MAPI32.DLL.";
constexpr char16_t kMapiCaption[] = u"Erreur de démarrage du sous-système MAPI";
// %s is the book's file, or kWabDefaultFile.
constexpr char16_t kWabFailed[] =
    u"Impossible d'ouvrir le carnet d'adresses Windows.\nImpossible d'importer les données depuis %s.";
constexpr char16_t kWabDefaultFile[] = u"Fichier WAB par défaut";
constexpr char16_t kWabCaption[] = u"Erreur d'importation WAB";

constexpr char16_t kDialogCaption[] = u"Carnet d'adresses";
constexpr char16_t kNewEntryTitle[] = u"Utilisé pour les messages seulement, pas pour l'importation de télécopies";
constexpr char16_t kWellsTitle[] = u"Destinataires sélectionnés";
constexpr char16_t kToTitle[] = u"Vers";

}  // namespace tq::import::text
