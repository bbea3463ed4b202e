// The Win32 calls on a window's state: text, enabled, visible, focus,
// properties, relations, window data and rectangles.
#include <algorithm>

#include "window.h"
#include "win/foreign_window.h"

namespace tq::ui {

Window* TopLevelOf(Window& window) {
  Window* top = &window;
  while (top->parent != nullptr) top = top->parent;
  return top;
}

Window* DialogItem(const Window& dialog, int id) {
  for (Window* child : dialog.children) {
    if (child->id == id) return child;
  }
  return nullptr;
}

Window* DialogOf(Window& window) {
  Window* dialog = window.parent;
  while (dialog != nullptr && !dialog->IsDialogLike()) dialog = dialog->parent;
  return dialog;
}

namespace {
HWND focused = nullptr;
}

HWND FocusedWindow() {
  if (focused != nullptr && !HandleExists(focused)) focused = nullptr;
  return focused;
}

void FocusWindow(Window* target) {
  const HWND old = FocusedWindow();
  const HWND next = target == nullptr ? nullptr : target->handle;
  if (old == next) return;
  focused = next;
  if (Window* oldWindow = PeekWindowRecord(old)) {
    Dispatch(*oldWindow, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0);
    Changed(*oldWindow, Change::Focus);
  }
  if (Window* newWindow = PeekWindowRecord(next)) {
    TopLevelOf(*newWindow)->lastFocus = next;
    Dispatch(*newWindow, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    if (Window* still = PeekWindowRecord(next)) {
      Changed(*still, Change::Focus);
      FollowDefaultButton(*still);
    }
  }
}

void DestroyRecord(Window& window) {
  const HWND handle = window.handle;
  // Windows it owns go first (a modal child of a dialog that is destroyed).
  for (Window* top : TopLevelRecords()) {
    if (top->owner == handle && top->handle != handle) DestroyRecord(*top);
  }
  Window* record = PeekWindowRecord(handle);
  if (record == nullptr) return;
  Dispatch(*record, WM_DESTROY, 0, 0);
  record = PeekWindowRecord(handle);
  if (record == nullptr) return;
  const std::vector<Window*> children = record->children;
  for (Window* child : children) DestroyRecord(*child);
  record = PeekWindowRecord(handle);
  if (record == nullptr) return;
  if (record->parent != nullptr) std::erase(record->parent->children, record);
  if (focused == handle) focused = nullptr;
  ForgetTimers(handle);
  CurrentFace().WindowDestroyed(handle);
  DeleteWindowRecord(handle);
}

}  // namespace tq::ui

using namespace tq::ui;

extern "C" BOOL IsWindow(HWND handle) {
  if (HandleExists(handle)) return TRUE;
  auto foreign = FindForeign(handle);
  return foreign && foreign->Alive() ? TRUE : FALSE;
}

extern "C" BOOL DestroyWindow(HWND handle) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    DestroyRecord(*window);
    return TRUE;
  });
}

extern "C" BOOL SetWindowTextW(HWND handle, LPCWSTR text) {
  if (!HandleExists(handle) && !FindForeign(handle)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageW(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

extern "C" int GetWindowTextW(HWND handle, LPWSTR buffer, int size) {
  if (buffer != nullptr && size > 0) buffer[0] = 0;
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return CopyOut(foreign->Text(), buffer, size);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(SendMessageW(handle, WM_GETTEXT, static_cast<WPARAM>(size),
                                       reinterpret_cast<LPARAM>(buffer)));
}

extern "C" int GetWindowTextLengthW(HWND handle) {
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return static_cast<int>(foreign->Text().size());
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(SendMessageW(handle, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" int GetClassNameW(HWND handle, LPWSTR buffer, int size) {
  return OnOwnerThread([&]() -> int {
    Window* window = FindWindowRecord(handle);
    return window == nullptr ? 0 : CopyOut(window->className, buffer, size);
  });
}

extern "C" BOOL EnableWindow(HWND handle, BOOL enable) {
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return foreign->Enable(enable);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    // The result is whether the window was disabled before.
    const BOOL wasDisabled = window->Enabled() ? FALSE : TRUE;
    if ((enable != 0) == window->Enabled()) return wasDisabled;
    if (enable) {
      window->style &= ~WS_DISABLED;
    } else {
      window->style |= WS_DISABLED;
      // A disabled window loses the focus.
      HWND focus = FocusedWindow();
      if (Window* f = PeekWindowRecord(focus); f != nullptr && (f == window || IsChild(handle, focus))) {
        FocusWindow(nullptr);
      }
    }
    Dispatch(*window, WM_ENABLE, enable ? TRUE : FALSE, 0);
    if (Window* still = PeekWindowRecord(handle)) Changed(*still, Change::Enabled);
    return wasDisabled;
  });
}

extern "C" BOOL IsWindowEnabled(HWND handle) {
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return foreign->IsEnabled() ? TRUE : FALSE;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    return window != nullptr && window->Enabled() ? TRUE : FALSE;
  });
}

extern "C" BOOL ShowWindow(HWND handle, int command) {
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return foreign->Show(command);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    // The result is whether the window was visible before.
    const BOOL wasVisible = window->Visible() ? TRUE : FALSE;
    const bool show = command != SW_HIDE;
    if (show == window->Visible()) return wasVisible;
    if (show) {
      window->style |= WS_VISIBLE;
    } else {
      window->style &= ~WS_VISIBLE;
    }
    Dispatch(*window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (Window* still = PeekWindowRecord(handle)) Changed(*still, Change::Visible);
    return wasVisible;
  });
}

extern "C" BOOL IsWindowVisible(HWND handle) {
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return foreign->IsVisible() ? TRUE : FALSE;
    return FALSE;
  }
  return OnOwnerThread([&]() -> BOOL {
    // Visible means this window and all its parents have WS_VISIBLE.
    for (Window* w = PeekWindowRecord(handle); w != nullptr; w = w->parent) {
      if (!w->Visible()) return FALSE;
    }
    return TRUE;
  });
}

extern "C" HWND SetFocus(HWND handle) {
  return OnOwnerThread([&]() -> HWND {
    const HWND old = FocusedWindow();
    if (handle == nullptr) {
      FocusWindow(nullptr);
      return old;
    }
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return nullptr;
    FocusWindow(window);
    return old;
  });
}

extern "C" HWND GetFocus() {
  return OnOwnerThread([&]() -> HWND { return FocusedWindow(); });
}

extern "C" HWND GetActiveWindow() {
  return OnOwnerThread([&]() -> HWND {
    const auto& stack = ModalStack();
    if (!stack.empty()) return stack.back();
    if (Window* f = PeekWindowRecord(FocusedWindow())) return TopLevelOf(*f)->handle;
    for (Window* top : TopLevelRecords()) {
      if (top->Visible()) return top->handle;
    }
    return static_cast<HWND>(nullptr);
  });
}

extern "C" HWND GetParent(HWND handle) {
  return OnOwnerThread([&]() -> HWND {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return nullptr;
    // A top-level window's "parent" is its owner, as Win32 answers for popups.
    return window->parent != nullptr ? window->parent->handle : window->owner;
  });
}

extern "C" BOOL IsChild(HWND parent, HWND handle) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = PeekWindowRecord(handle);
    for (Window* w = window == nullptr ? nullptr : window->parent; w != nullptr; w = w->parent) {
      if (w->handle == parent) return TRUE;
    }
    return FALSE;
  });
}

extern "C" HWND GetWindow(HWND handle, UINT relation) {
  return OnOwnerThread([&]() -> HWND {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return nullptr;
    if (relation == GW_CHILD) return window->children.empty() ? nullptr : window->children.front()->handle;
    if (relation == GW_OWNER) return window->parent == nullptr ? window->owner : nullptr;
    if (window->parent == nullptr) return nullptr;
    const auto& siblings = window->parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), window);
    switch (relation) {
      case GW_HWNDFIRST: return siblings.front()->handle;
      case GW_HWNDLAST: return siblings.back()->handle;
      case GW_HWNDNEXT: return at + 1 == siblings.end() ? nullptr : (*(at + 1))->handle;
      case GW_HWNDPREV: return at == siblings.begin() ? nullptr : (*(at - 1))->handle;
      default: return nullptr;
    }
  });
}

extern "C" BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  Window* window = FindWindowRecord(parent);
  if (window == nullptr || proc == nullptr) return FALSE;
  std::vector<HWND> all;
  std::vector<Window*> pending(window->children.rbegin(), window->children.rend());
  while (!pending.empty()) {
    Window* next = pending.back();
    pending.pop_back();
    all.push_back(next->handle);
    pending.insert(pending.end(), next->children.rbegin(), next->children.rend());
  }
  for (HWND child : all) {
    if (HandleExists(child) && !proc(child, param)) break;
  }
  return TRUE;
}

namespace {

std::u16string PropKey(LPCWSTR name) {
  if (name == nullptr) return {};
  if (IS_INTRESOURCE(name)) {
    std::u16string key = u"#";
    for (char digit : std::to_string(reinterpret_cast<ULONG_PTR>(name))) key += static_cast<char16_t>(digit);
    return key;
  }
  return name;
}

}  // namespace

extern "C" BOOL SetPropW(HWND handle, LPCWSTR name, HANDLE data) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr || name == nullptr) return FALSE;
    const std::u16string key = PropKey(name);
    for (auto& [k, v] : window->props) {
      if (k == key) {
        v = data;
        return TRUE;
      }
    }
    window->props.emplace_back(key, data);
    return TRUE;
  });
}

extern "C" HANDLE GetPropW(HWND handle, LPCWSTR name) {
  return OnOwnerThread([&]() -> HANDLE {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr || name == nullptr) return nullptr;
    const std::u16string key = PropKey(name);
    for (auto& [k, v] : window->props) {
      if (k == key) return v;
    }
    return nullptr;
  });
}

extern "C" HANDLE RemovePropW(HWND handle, LPCWSTR name) {
  return OnOwnerThread([&]() -> HANDLE {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr || name == nullptr) return nullptr;
    const std::u16string key = PropKey(name);
    for (auto it = window->props.begin(); it != window->props.end(); ++it) {
      if (it->first == key) {
        HANDLE data = it->second;
        window->props.erase(it);
        return data;
      }
    }
    return nullptr;
  });
}

extern "C" LONG_PTR GetWindowLongPtrW(HWND handle, int index) {
  return OnOwnerThread([&]() -> LONG_PTR {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return 0;
    if (window->IsDialogLike()) {
      if (index == DWLP_MSGRESULT) return window->msgResult;
      if (index == DWLP_DLGPROC) return reinterpret_cast<LONG_PTR>(window->dialogProc);
      if (index == DWLP_USER) return window->dialogUser;
    }
    switch (index) {
      case GWL_STYLE: return static_cast<LONG_PTR>(window->style);
      case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->exStyle);
      case GWLP_ID: return window->id;
      case GWLP_USERDATA: return window->userData;
      case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->instance);
      case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(window->owner);
      default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
  });
}

extern "C" LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
  return OnOwnerThread([&]() -> LONG_PTR {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return 0;
    auto swap = [](auto& slot, auto next) {
      auto old = slot;
      slot = next;
      return static_cast<LONG_PTR>(old);
    };
    if (window->IsDialogLike()) {
      if (index == DWLP_MSGRESULT) return swap(window->msgResult, value);
      if (index == DWLP_USER) return swap(window->dialogUser, value);
      if (index == DWLP_DLGPROC) {
        LONG_PTR old = reinterpret_cast<LONG_PTR>(window->dialogProc);
        window->dialogProc = reinterpret_cast<DLGPROC>(value);
        return old;
      }
    }
    switch (index) {
      case GWL_STYLE: {
        LONG_PTR old = swap(window->style, static_cast<DWORD>(value));
        Changed(*window, Change::Style);
        return old;
      }
      case GWL_EXSTYLE: return swap(window->exStyle, static_cast<DWORD>(value));
      case GWLP_ID: return swap(window->id, static_cast<int>(value));
      case GWLP_USERDATA: return swap(window->userData, value);
      default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
  });
}

extern "C" BOOL GetClientRect(HWND handle, LPRECT rect) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    *rect = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
  });
}

extern "C" BOOL GetWindowRect(HWND handle, LPRECT rect) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    RECT r = window->rect;
    for (Window* p = window->parent; p != nullptr; p = p->parent) {
      r.left += p->rect.left, r.right += p->rect.left;
      r.top += p->rect.top, r.bottom += p->rect.top;
    }
    *rect = r;
    return TRUE;
  });
}

extern "C" BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    window->rect = RECT{x, y, x + width, y + height};
    Changed(*window, Change::Geometry);
    return TRUE;
  });
}

extern "C" BOOL InvalidateRect(HWND handle, const RECT*, BOOL) {
  if (handle == nullptr) return TRUE;
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    Changed(*window, Change::Geometry);
    return TRUE;
  });
}

extern "C" BOOL UpdateWindow(HWND handle) { return IsWindow(handle); }

// The paint device context of a window is its handle: what is drawn into it
// is kept with the window.
extern "C" HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
  if (paint == nullptr || !GetClientRect(handle, &paint->rcPaint)) return nullptr;
  return OnOwnerThread([&]() -> HDC {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return nullptr;
    window->painted.clear();
    paint->hdc = reinterpret_cast<HDC>(handle);
    paint->fErase = FALSE;
    return paint->hdc;
  });
}

extern "C" BOOL EndPaint(HWND handle, const PAINTSTRUCT*) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    Changed(*window, Change::Geometry);
    return TRUE;
  });
}

extern "C" BOOL DrawStateW(HDC dc, HANDLE, void*, LPARAM data, WPARAM, int x, int y, int cx, int cy, UINT flags) {
  if ((flags & 0x000F) != DST_BITMAP) return FALSE;
  const tq::res::BitmapResource* bitmap = tq::res::BitmapData(reinterpret_cast<HBITMAP>(data));
  if (bitmap == nullptr) return FALSE;
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(reinterpret_cast<HWND>(dc));
    if (window == nullptr) return FALSE;
    if (cx == 0) cx = bitmap->width;
    if (cy == 0) cy = bitmap->height;
    window->painted.push_back({bitmap, RECT{x, y, x + cx, y + cy}});
    return TRUE;
  });
}

namespace tq::ui {
std::vector<PaintedBitmap> PaintedBitmaps(HWND handle) {
  return OnOwnerThread([&]() -> std::vector<PaintedBitmap> {
    Window* window = PeekWindowRecord(handle);
    return window == nullptr ? std::vector<PaintedBitmap>{} : window->painted;
  });
}
}  // namespace tq::ui

extern "C" HWND GetDlgItem(HWND dialog, int id) {
  if (!HandleExists(dialog)) {
    if (auto foreign = FindForeign(dialog)) return ForeignControl(dialog, id);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return OnOwnerThread([&]() -> HWND {
    Window* window = FindWindowRecord(dialog);
    if (window == nullptr) return nullptr;
    if (Window* item = DialogItem(*window, id)) return item->handle;
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
  });
}

extern "C" int GetDlgCtrlID(HWND handle) {
  return OnOwnerThread([&]() -> int {
    Window* window = FindWindowRecord(handle);
    return window == nullptr || window->parent == nullptr ? 0 : window->id;
  });
}
