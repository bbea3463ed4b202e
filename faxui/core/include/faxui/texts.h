// The texts of the plug-in's core that more than one of its dialogs shows.
#pragma once

#include <string_view>

namespace tq::faxui::texts {

// The caption of the import's questions and messages in the recipient dialog
// and in the phonebook dialog.
constexpr std::u16string_view kImportCaption = u"Importation d'un destinataire de télécopie";

}  // namespace tq::faxui::texts
