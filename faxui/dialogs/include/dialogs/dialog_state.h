// What a dialog keeps while it is open: made at WM_INITDIALOG, attached to
// the dialog through DWLP_USER, found again by its type for every later
// message, and freed at WM_DESTROY. The type is checked on the way out, so
// a dialog asked for another dialog's state answers null.
//
//   INT_PTR Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
//     if (message == WM_INITDIALOG) {
//       AttachDialogState(dialog, std::make_unique<MyState>(...));
//       return FALSE;
//     }
//     return WithDialogState<MyState>(dialog, message, [&](MyState& state) -> INT_PTR {...});
//   }
#pragma once

#include <memory>
#include <utility>

#include "win/user.h"

namespace tq::faxui {

class DialogStateHolder {
 public:
  virtual ~DialogStateHolder() = default;
};

template <class State>
class TypedDialogState final : public DialogStateHolder {
 public:
  explicit TypedDialogState(std::unique_ptr<State> state) : state_(std::move(state)) {}
  State& state() { return *state_; }

 private:
  std::unique_ptr<State> state_;
};

// Frees the state attached to `dialog`, if any.
void FreeDialogState(HWND dialog);

// Attaches `state` to `dialog` (freeing one attached before) and returns it.
template <class State>
State& AttachDialogState(HWND dialog, std::unique_ptr<State> state) {
  FreeDialogState(dialog);
  auto* holder = new TypedDialogState<State>(std::move(state));
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(static_cast<DialogStateHolder*>(holder)));
  return holder->state();
}

// The state of type State attached to `dialog`; null when it has none or
// one of another type.
template <class State>
State* DialogStateOf(HWND dialog) {
  auto* holder = reinterpret_cast<DialogStateHolder*>(GetWindowLongPtrW(dialog, DWLP_USER));
  auto* typed = dynamic_cast<TypedDialogState<State>*>(holder);
  return typed == nullptr ? nullptr : &typed->state();
}

// The messages after WM_INITDIALOG: FALSE without a state; at WM_DESTROY
// the state is freed (TRUE); any other message goes to `handle`.
template <class State, class Handle>
INT_PTR WithDialogState(HWND dialog, UINT message, Handle handle) {
  State* state = DialogStateOf<State>(dialog);
  if (state == nullptr) return FALSE;
  if (message == WM_DESTROY) {
    FreeDialogState(dialog);
    return TRUE;
  }
  return handle(*state);
}

}  // namespace tq::faxui
