// Sending messages: to a control's class, to a dialog's procedure with the
// dialog manager's defaults behind it, and what every window does.
#include <algorithm>

#include "window.h"
#include "win/foreign_window.h"

namespace tq::ui {
namespace {

// Messages whose dialog procedure return value is the message result itself
// rather than a handled flag with the result in DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

LRESULT DefaultDialogMessage(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      // The close box is the Cancel button, when that one is not disabled.
      HWND cancel = GetDlgItem(dialog.handle, IDCANCEL);
      if (cancel == nullptr || IsWindowEnabled(cancel)) {
        PostMessageW(dialog.handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
      }
      return 0;
    }
    case DM_GETDEFID:
      return dialog.defaultId != 0 ? MAKELONG(dialog.defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID: {
      const int old = dialog.defaultId;
      dialog.defaultId = static_cast<int>(wParam);
      for (Window* child : dialog.children) {
        if (child->kind != WindowKind::Button) continue;
        const DWORD type = child->style & BS_TYPEMASK;
        if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) continue;
        if (child->id == old || child->id == dialog.defaultId) {
          SendMessageW(child->handle, BM_SETSTYLE,
                       child->id == dialog.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        }
      }
      return TRUE;
    }
    case WM_NEXTDLGCTL: {
      HWND target = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                : GetNextDlgTabItem(dialog.handle, GetFocus(), wParam != 0);
      if (Window* control = PeekWindowRecord(target)) {
        FocusWindow(control);
        // Tabbing into an edit selects its whole text.
        if (control->kind == WindowKind::Edit) SendMessageW(target, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return -1;  // the list box does its default action
    default:
      return DefaultWindowMessage(dialog, message, wParam, lParam);
  }
}

LRESULT DialogMessage(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (dialog.dialogProc == nullptr) return DefaultDialogMessage(dialog, message, wParam, lParam);
  const HWND handle = dialog.handle;
  dialog.msgResult = 0;
  const INT_PTR handled = dialog.dialogProc(handle, message, wParam, lParam);
  Window* still = PeekWindowRecord(handle);
  if (ReturnsDirectly(message)) {
    if (handled != 0 || still == nullptr || message == WM_INITDIALOG) return handled;
    return DefaultDialogMessage(*still, message, wParam, lParam);
  }
  if (still == nullptr) return 0;
  if (handled != 0) return still->msgResult;
  return DefaultDialogMessage(*still, message, wParam, lParam);
}

}  // namespace

LRESULT DefaultWindowMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      window.text = FromWide(reinterpret_cast<LPCWSTR>(lParam));
      Changed(window, Change::Text);
      return TRUE;
    case WM_GETTEXT:
      return CopyOut(window.text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window.text.size());
    case WM_HELP:
    case WM_CONTEXTMENU:
      // Help requests climb to the parent until a window handles them.
      if (window.parent != nullptr) return Dispatch(*window.parent, message, wParam, lParam);
      return 0;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return -1;
    case WM_CLOSE:
      DestroyWindow(window.handle);
      return 0;
    case WM_GETDLGCODE:
      return 0;
    default:
      return 0;
  }
}

LRESULT Dispatch(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window.IsDialogLike()) return DialogMessage(window, message, wParam, lParam);
  if (window.control) {
    bool handled = true;
    const HWND handle = window.handle;
    const LRESULT result = window.control->Message(window, message, wParam, lParam, &handled);
    if (handled) return result;
    Window* still = PeekWindowRecord(handle);
    if (still == nullptr) return 0;
    return DefaultWindowMessage(*still, message, wParam, lParam);
  }
  return DefaultWindowMessage(window, message, wParam, lParam);
}

void NotifyParent(Window& control, WORD code) {
  if (control.parent == nullptr) return;
  Dispatch(*control.parent, WM_COMMAND, MAKEWPARAM(control.id, code),
           reinterpret_cast<LPARAM>(control.handle));
}

void Changed(Window& window, Change what) { CurrentFace().WindowChanged(window.handle, what); }

int CopyOut(const std::u16string& text, LPWSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const int count = std::min<int>(static_cast<int>(text.size()), size - 1);
  std::copy_n(text.data(), count, buffer);
  buffer[count] = 0;
  return count;
}

std::u16string FromWide(LPCWSTR text) { return text == nullptr ? std::u16string() : std::u16string(text); }

}  // namespace tq::ui

using namespace tq::ui;

extern "C" LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (OnWindowThread()) {  // one look-up, no hand-over
    if (Window* window = PeekWindowRecord(handle)) return Dispatch(*window, message, wParam, lParam);
  }
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return foreign->Send(message, wParam, lParam);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return OnOwnerThread([&]() -> LRESULT {
    Window* window = FindWindowRecord(handle);
    return window == nullptr ? 0 : Dispatch(*window, message, wParam, lParam);
  });
}

extern "C" LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = FindWindowRecord(handle);
  return window == nullptr ? 0 : DefaultWindowMessage(*window, message, wParam, lParam);
}

extern "C" LRESULT DefDlgProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = FindWindowRecord(handle);
  if (window == nullptr) return 0;
  return window->IsDialogLike() ? DefaultDialogMessage(*window, message, wParam, lParam)
                                : DefaultWindowMessage(*window, message, wParam, lParam);
}

extern "C" LRESULT CallWindowProcW(WNDPROC proc, HWND handle, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  return proc == nullptr ? 0 : proc(handle, message, wParam, lParam);
}

extern "C" LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  // On the windows' thread the dialog's record names the control: one
  // look-up in the window table instead of one for each call below.
  if (OnWindowThread()) {
    if (Window* window = PeekWindowRecord(dialog)) {
      if (Window* item = DialogItem(*window, id)) return Dispatch(*item, message, wParam, lParam);
    }
  }
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? 0 : SendMessageW(control, message, wParam, lParam);
}
