// Opens the recipient dialog of the plug-in for a prompt.
#include "faxui/module_instance.h"
#include "printflow/prompt.h"

// The recipient dialog's procedure, from the recipient part of the plug-in.
extern "C" INT_PTR RecipientDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    __attribute__((weak));

namespace tq::faxui {

INT_PTR RunRecipientDialog(HWND owner, PromptSession& session) {
  if (RecipientDlgProc == nullptr) return 0;  // a plug-in built without it sends nothing
  const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kRecipientDialog), owner,
                                         RecipientDlgProc, reinterpret_cast<LPARAM>(&session.recipients));
  return result == 1 ? 1 : 0;
}

}  // namespace tq::faxui
