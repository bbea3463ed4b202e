#include "win/dialog_state.h"

#include "window.h"

namespace tq {

DialogStateHolder::~DialogStateHolder() = default;

void SetDialogStateHolder(HWND dialog, std::unique_ptr<DialogStateHolder> holder) {
  ui::Window* window = ui::PeekWindowRecord(dialog);
  if (window == nullptr) return;
  // The state before is freed after the swap: its destructor may look for
  // the dialog's state again.
  std::swap(window->state, holder);
}

DialogStateHolder* DialogStateHolderOf(HWND dialog) {
  ui::Window* window = ui::PeekWindowRecord(dialog);
  return window == nullptr ? nullptr : window->state.get();
}

}  // namespace tq
