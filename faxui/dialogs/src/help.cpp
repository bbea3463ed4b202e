#include "dialogs/help.h"

#include "faxui/help_file.h"
#include "win/user.h"

namespace tq::faxui {

void OpenDialogHelp(HWND dialog, DialogHelp& help, ULONG_PTR context) {
  LPCWSTR file = ModuleHelpFile();
  if (file == nullptr) return;
  WinHelpW(dialog, file, HELP_CONTEXT, context);
  help.opened = true;
}

void CloseDialogHelp(HWND dialog, DialogHelp& help) {
  if (!help.opened) return;
  if (LPCWSTR file = ModuleHelpFile()) WinHelpW(dialog, file, HELP_QUIT, 0);
  help.opened = false;
}

void EndDialogClosingHelp(HWND dialog, DialogHelp& help, INT_PTR result) {
  CloseDialogHelp(dialog, help);
  EndDialog(dialog, result);
}

}  // namespace tq::faxui
