#include "faxui/dialog_controls.h"

#include "win/user.h"

namespace tq::faxui {

void EnableControl(HWND dialog, int id, bool enable) {
  if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, enable ? TRUE : FALSE);
}

}  // namespace tq::faxui
