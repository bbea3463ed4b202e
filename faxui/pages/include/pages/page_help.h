// Context help of the plug-in's pages, from the help pairs of the page last
// painted and the plug-in's help file.
#pragma once

#include "win/user.h"

namespace tq::faxui {

// The page the sheet last made active.
void SetActivePage(HWND page);
HWND ActivePage();

// PSN_HELP: the page's own context.
void OpenPageHelp(HWND page);
// WM_HELP: the context of the control that asked.
void HelpForWindow(const HELPINFO* info);
// WM_CONTEXTMENU on a control.
void HelpForContextMenu(HWND control);
// F1: the context of the focused control, else the page's; nothing when 0.
void HelpForFocus(HWND page);

}  // namespace tq::faxui
