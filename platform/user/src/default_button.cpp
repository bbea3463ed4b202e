// The default push button follows the focus, as the dialog manager does:
// Enter presses the focused push button, so that one looks default; when
// the focus is elsewhere the dialog's own default button (DM_GETDEFID)
// looks default again.
#include "window.h"

namespace tq::ui {
namespace {

bool IsPushButton(const Window& window) {
  const DWORD type = window.style & BS_TYPEMASK;
  return window.kind == WindowKind::Button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

void ShowDefault(Window& container, int defaultId) {
  for (Window* child : container.children) {
    if (!IsPushButton(*child)) continue;
    const DWORD wanted = child->id == defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((child->style & BS_TYPEMASK) != wanted) SendMessageW(child->handle, BM_SETSTYLE, wanted, TRUE);
  }
}

}  // namespace

void FollowDefaultButton(Window& focused) {
  Window* dialog = DialogOf(focused);
  if (dialog == nullptr || focused.IsDialogLike()) return;
  // A property page shares its sheet's buttons and default.
  Window* outer = dialog->parent != nullptr && dialog->parent->IsDialogLike() ? dialog->parent : dialog;
  const int defaultId = IsPushButton(focused) ? focused.id : outer->defaultId;
  ShowDefault(*dialog, defaultId);
  if (outer != dialog) ShowDefault(*outer, defaultId);
}

}  // namespace tq::ui
