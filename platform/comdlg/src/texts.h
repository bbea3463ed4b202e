// The file dialogs' own texts, those of a French system.
#pragma once

namespace tq::comdlg::texts {

// Titles when the caller gives none.
constexpr char16_t kOpenTitle[] = u"Ouvrir";
constexpr char16_t kSaveAsTitle[] = u"Enregistrer sous";
// After the chosen file's name, when it exists and the caller asked.
constexpr char16_t kReplaceQuestion[] = u" existe déjà.\nVoulez-vous le remplacer ?";

}  // namespace tq::comdlg::texts
