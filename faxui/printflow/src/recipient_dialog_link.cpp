// Opens the recipient dialog of the plug-in for a prompt.
#include "faxui/module_instance.h"
#include "printflow/prompt.h"
#include "faxui/resource_ids.h"
#include "phonebook/entry_editor.h"
#include "phonebook/phonebook_dialog.h"
#include "recipients/recipient_dialog.h"

namespace tq::faxui {

INT_PTR RunRecipientDialog(HWND owner, PromptSession& session) {
  static constexpr RecipientPhonebookDialogs kPhonebook{ShowSelectionForm, ShowRecipientDetails};
  RecipientDialogParams params{&session.recipients, session.privateArea, &kPhonebook};
  const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kRecipientDialogId), owner,
                                         RecipientDlgProc, reinterpret_cast<LPARAM>(&params));
  return result == 1 ? 1 : 0;
}

}  // namespace tq::faxui
