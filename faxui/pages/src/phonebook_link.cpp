// "Annuaire" on the options page: the phonebook's management form, modal
// over the page. The options do not change.
#include "pages/options_page.h"

namespace tq::faxui {

void OpenPhonebookManagement(HWND page) {
  // The management form joins here when the phonebook dialog is part of
  // the plug-in.
  (void)page;
}

}  // namespace tq::faxui
