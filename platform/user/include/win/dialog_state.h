// What a dialog keeps while it is open, attached to the dialog by the
// window layer and found again by its type for every later message. The
// type is checked on the way out, so a dialog asked for another dialog's
// state answers null. A state the dialog owns is made at WM_INITDIALOG and
// freed at WM_DESTROY; a state the caller owns (passed as the dialog's
// parameter) is only borrowed. Whatever is still attached when the window
// is destroyed goes with it.
//
//   INT_PTR Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
//     if (message == WM_INITDIALOG) {
//       AttachDialogState(dialog, std::make_unique<MyState>(...));
//       return FALSE;
//     }
//     return WithDialogState<MyState>(dialog, message, [&](MyState& state) -> INT_PTR {...});
//   }
//
// The application's own slot, DWLP_USER, is left alone.
#pragma once

#include <memory>
#include <utility>

#include "win/user.h"

namespace tq {

class DialogStateHolder {
 public:
  virtual ~DialogStateHolder();
};

template <class State>
class TypedDialogState final : public DialogStateHolder {
 public:
  explicit TypedDialogState(std::unique_ptr<State> owned) : owned_(std::move(owned)), state_(owned_.get()) {}
  explicit TypedDialogState(State& borrowed) : state_(&borrowed) {}
  State& state() { return *state_; }

 private:
  std::unique_ptr<State> owned_;
  State* state_;
};

// Attaches `holder` to `dialog`, freeing the one attached before; a window
// that is not this process's own frees `holder` at once.
void SetDialogStateHolder(HWND dialog, std::unique_ptr<DialogStateHolder> holder);
// The holder attached to `dialog`; null when it has none.
DialogStateHolder* DialogStateHolderOf(HWND dialog);

// Frees the state attached to `dialog`, if any.
inline void FreeDialogState(HWND dialog) { SetDialogStateHolder(dialog, nullptr); }

// Attaches `state`, owned by the dialog from now on, and returns it.
template <class State>
State& AttachDialogState(HWND dialog, std::unique_ptr<State> state) {
  State& attached = *state;
  SetDialogStateHolder(dialog, std::make_unique<TypedDialogState<State>>(std::move(state)));
  return attached;
}

// Attaches `state`, which the caller keeps alive while the dialog is open.
template <class State>
State& AttachBorrowedDialogState(HWND dialog, State& state) {
  SetDialogStateHolder(dialog, std::make_unique<TypedDialogState<State>>(state));
  return state;
}

// The state of type State attached to `dialog`; null when it has none or
// one of another type.
template <class State>
State* DialogStateOf(HWND dialog) {
  auto* typed = dynamic_cast<TypedDialogState<State>*>(DialogStateHolderOf(dialog));
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

}  // namespace tq
