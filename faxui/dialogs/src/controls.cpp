#include "dialogs/controls.h"

#include "win/user.h"

namespace tq::faxui {

void EnableControl(HWND dialog, int id, bool enable) {
  if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, enable ? TRUE : FALSE);
}

void ShowControl(HWND dialog, int id, bool show) {
  if (HWND control = GetDlgItem(dialog, id)) ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void ShowAndEnable(HWND dialog, int id, bool on) {
  ShowControl(dialog, id, on);
  EnableControl(dialog, id, on);
}

void LimitText(HWND dialog, int id, int limit) {
  SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void FocusControl(HWND dialog, int id) { SetFocus(GetDlgItem(dialog, id)); }

}  // namespace tq::faxui
