#include "dialogs/dialog_state.h"

namespace tq::faxui {

void FreeDialogState(HWND dialog) {
  auto* holder = reinterpret_cast<DialogStateHolder*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (holder == nullptr) return;
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
  delete holder;
}

}  // namespace tq::faxui
