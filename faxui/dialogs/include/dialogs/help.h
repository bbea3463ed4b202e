// The plug-in's help file opened from a dialog at the dialog's context, and
// closed again when that dialog ends.
#pragma once

#include "win/types.h"

namespace tq::faxui {

struct DialogHelp {
  bool opened = false;
};

void OpenDialogHelp(HWND dialog, DialogHelp& help, ULONG_PTR context);
// Closes the help file when this dialog opened it.
void CloseDialogHelp(HWND dialog, DialogHelp& help);

}  // namespace tq::faxui
