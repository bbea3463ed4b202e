// One run of the Import application: who launched it, what it may hand
// back, what it found, and the messages every part of the run shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "common/record_key.h"
#include "win/types.h"

namespace tq::import {

enum ImportSource : int {
  kCancelled = 0,
  kMapi = 1,
  kWabChosenFile = 2,
  kWabDefaultFile = 3,
  kCsvManual = 4,
  kCsvAutomatic = 5,
  kSpeedDialCsv = 6,
};

struct ImportRun {
  HWND owner = nullptr;  // the launching dialog (of another process), or none
  int limit = 0;         // 50 for the recipient dialog, 0 for no limit
  int source = kCancelled;
  std::u16string outputPath;
  std::u16string helpPath;
  // The Windows address book library the source dialog found loadable.
  std::u16string windowsBookLibrary;
  // The entries to hand back, in order: names and fax numbers in ANSI.
  std::vector<AnsiRecordKey> candidates;
  // For the speed-dial import: the whole record of each candidate.
  std::vector<EntryRecord> records;
  int total = 0;
  int valid = 0;
  int rejected = 0;

  void ClearCandidates() {
    candidates.clear();
    records.clear();
  }
};

// Message box owned by the launching window.
int ShowMessage(const ImportRun& run, std::u16string_view text, std::u16string_view caption, UINT type);
// `format` with each "%s" replaced by the next of `values`.
std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> values);
// Opens the help file at `context`.
void OpenHelp(const ImportRun& run, HWND dialog, unsigned long context);


namespace text {
inline constexpr char16_t kRunCaption[] = u"Importation des données d'un destinataire";
inline constexpr char16_t kNothingToImport[] = u"Pas d'entrée à importer.";
// A result file that cannot be written, as the phonebook's writes say it.
inline constexpr char16_t kResultNotWritten[] = u"Espace disque insuffisant. Impossible de continuer.";
inline constexpr char16_t kNoFaxNumberFound[] =
    u"Impossible de trouver de numéro de fax dans les entrées sélectionnées.\nAucune entrée ne sera importée.";
inline constexpr char16_t kFileErrorCaption[] = u"Erreur d'importation CSV";
inline constexpr char16_t kCsvCaption[] = u"Importation CSV";
inline constexpr char16_t kSpeedDialCaption[] = u"Importation du fichier EWS-CSV";
inline constexpr char16_t kListFull[] =
    u"La liste de destinataires a atteint le nombre maximum d'entrées.\nVous ne pouvez pas importer plus de 50 "
    u"destinataires.";
inline constexpr char16_t kNoMemoryForSelection[] =
    u"Mémoire insuffisante. Impossible d'ajouter plusieurs entrées.\nDiminuez le nombre d'entrées et recommencez.";
}  // namespace text

}  // namespace tq::import
