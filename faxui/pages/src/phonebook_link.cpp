// "Annuaire" on the options page: the phonebook's management form, modal
// over the page. The options do not change.
#include "pages/options_page.h"
#include "phonebook/phonebook_dialog.h"

namespace tq::faxui {

void OpenPhonebookManagement(HWND page) { ShowManagementForm(page); }

}  // namespace tq::faxui
