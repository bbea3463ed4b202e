// The up-down control ("spinner"): two arrows beside a buddy edit that step
// the number it holds within a range.
#pragma once

#include <string>

#include "win/user.h"

#define UPDOWN_CLASSW u"msctls_updown32"

inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;

inline constexpr UINT UDM_SETACCEL = WM_USER + 107;
inline constexpr UINT UDM_SETBUDDY = WM_USER + 105;
inline constexpr UINT UDM_GETBUDDY = WM_USER + 106;
inline constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
inline constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
inline constexpr UINT UDM_SETPOS32 = WM_USER + 113;
inline constexpr UINT UDM_GETPOS32 = WM_USER + 114;

struct UDACCEL {
  UINT nSec;
  UINT nInc;
};

namespace tq::ui {

// A click on an arrow (a person's or a script's): the buddy's number moves
// by `steps` increments, within the range, and the buddy gets the new text
// (with its EN_CHANGE). False with the reason when the control cannot.
bool SpinArrow(HWND updown, int steps, std::string* why);

}  // namespace tq::ui
