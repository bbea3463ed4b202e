// The styles the plug-in's dialog templates share, so that every part's
// templates are written alike.
#pragma once

#include "win/user.h"

namespace tq::faxui::styles {

inline constexpr DWORD kModalDialog = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kLabel = SS_LEFT;
inline constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
inline constexpr DWORD kPassword = kEdit | ES_PASSWORD;
inline constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
// Disabled at opening: a group that only one mode shows.
inline constexpr DWORD kOff = WS_DISABLED;

}  // namespace tq::faxui::styles
