// The plug-in's help file opened from a dialog at the dialog's context, and
// closed again when that dialog ends. Each dialog keeps its own DialogHelp
// in its state.
#pragma once

#include "win/types.h"

namespace tq::faxui {

struct DialogHelp {
  bool opened = false;
};

// Opens the help file at `context`; nothing happens when the plug-in has no
// help file.
void OpenDialogHelp(HWND dialog, DialogHelp& help, ULONG_PTR context);
// Closes the help file when this dialog opened it.
void CloseDialogHelp(HWND dialog, DialogHelp& help);
// Ends the dialog with `result`, closing the help file it opened.
void EndDialogClosingHelp(HWND dialog, DialogHelp& help, INT_PTR result);

}  // namespace tq::faxui
