// The layer's own record of a window and the table that hands out handles.
// Window state is touched only on the windows' thread; the table's handle
// lookups are also safe from other threads (PostMessageW, IsWindow).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "win/dialog_state.h"
#include "win/face.h"
#include "win/user_input.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::ui {

enum class WindowKind { Dialog, Sheet, Edit, ListBox, ComboBox, Button, Static };

struct Window;

// The behaviour of one control class. Message() sets *handled to false for
// what the common window behaviour should do instead.
class Control {
 public:
  virtual ~Control() = default;
  virtual LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam,
                          bool* handled) = 0;
};

struct SheetState;

struct Window {
  HWND handle = nullptr;
  WindowKind kind = WindowKind::Static;
  std::u16string className;
  Window* parent = nullptr;  // the parent of a child window
  HWND owner = nullptr;      // the owner of a top-level window
  std::vector<Window*> children;  // in template (tab) order
  int id = 0;
  std::u16string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // pixels, in the parent's client coordinates
  std::vector<std::pair<std::u16string, HANDLE>> props;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;

  // Dialogs and property sheets.
  DLGPROC dialogProc = nullptr;
  LONG_PTR msgResult = 0;
  LONG_PTR dialogUser = 0;
  int templateId = 0;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND disabledOwner = nullptr;  // re-enabled when the modal dialog ends
  HWND lastFocus = nullptr;      // focus to give back when it is active again
  int defaultId = 0;
  std::unique_ptr<SheetState> sheet;
  std::unique_ptr<DialogStateHolder> state;  // win/dialog_state.h
  std::vector<PaintedBitmap> painted;  // what the last WM_PAINT drew

  std::unique_ptr<Control> control;

  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
  bool IsDialogLike() const { return kind == WindowKind::Dialog || kind == WindowKind::Sheet; }
};

// ---- The handle table -------------------------------------------------------
// Creates a window record with a fresh handle (handles are never reused).
Window& NewWindow(WindowKind kind);
// The window behind a handle of this process; null (with
// ERROR_INVALID_WINDOW_HANDLE) for a bad, destroyed or foreign handle.
Window* FindWindowRecord(HWND handle);
// The same without touching the last error.
Window* PeekWindowRecord(HWND handle);
bool HandleExists(HWND handle);  // any thread
void DeleteWindowRecord(HWND handle);
// Top-level windows of this process in creation order.
std::vector<Window*> TopLevelRecords();

// ---- Threads ----------------------------------------------------------------
// The thread that owns the windows is the one that made the first window.
bool OnWindowThread();
void ClaimWindowThread();

// Runs `call` on the windows' thread and waits for it.
void RunMarshalled(void (*call)(void*), void* context);

template <class F>
auto OnOwnerThread(F&& call) -> decltype(call()) {
  using R = decltype(call());
  if (OnWindowThread()) return call();
  struct Box {
    F* call;
    R result{};
  } box{&call};
  RunMarshalled([](void* p) {
    auto* b = static_cast<Box*>(p);
    b->result = (*b->call)();
  }, &box);
  return box.result;
}

// ---- Dispatch -----------------------------------------------------------------
// Delivers a message to a window of this process on this thread.
LRESULT Dispatch(Window& window, UINT message, WPARAM wParam, LPARAM lParam);
// What every window does with a message its class leaves alone.
LRESULT DefaultWindowMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends WM_COMMAND with `code` to the control's parent, as every control
// notifies its dialog.
void NotifyParent(Window& control, WORD code);

// Makes a dialog (or, with a parent, a property page) from its template and
// sends it WM_INITDIALOG; null when the dialog destroyed itself during
// WM_INITDIALOG (dialog.cpp).
Window* BuildDialog(HINSTANCE instance, const res::DialogTemplate& dialogTemplate, Window* parent, HWND owner,
                    DLGPROC proc, LPARAM param);
// Makes a control as a dialog template describes it.
Window& CreateControl(Window& dialog, const res::ControlTemplate& item);
std::unique_ptr<Control> MakeEdit();
std::unique_ptr<Control> MakeListBox();
std::unique_ptr<Control> MakeComboBox();
std::unique_ptr<Control> MakeButton();
std::unique_ptr<Control> MakeStatic();

// Destroys a window, its children and the windows it owns (WM_DESTROY to
// each, parent first).
void DestroyRecord(Window& window);

// Focus and activation bookkeeping.
Window* TopLevelOf(Window& window);
void FocusWindow(Window* target);
HWND FocusedWindow();
// The dialog (or property page) that holds a control.
Window* DialogOf(Window& window);
// The control of `dialog` with the item number `id`, or null.
Window* DialogItem(const Window& dialog, int id);
// A modal window (dialog or message box) deactivates the top-level window
// of `owner`: it is disabled and remembers its focus. Returns the window
// disabled, null when there was none to disable.
HWND DisableOwner(HWND owner);
// The owner comes back: enabled, with the focus on the control that had it.
void RestoreOwner(HWND disabled);
// The dialog manager's default push button follows the focus: a focused
// push button looks default, else the dialog's DM_GETDEFID button does.
void FollowDefaultButton(Window& focused);

// Tells the face about a change; cheap when the face mirrors nothing.
void Changed(Window& window, Change what);

// Copies `text` into a caller's buffer as WM_GETTEXT does: at most size-1
// characters and a terminator; returns the characters copied.
int CopyOut(const std::u16string& text, LPWSTR buffer, int size);
std::u16string FromWide(LPCWSTR text);

// ---- Modal loops ------------------------------------------------------------------
// Disables the owner of a modal window that starts (dialog.cpp); the handle
// to give back to RestoreOwner, null when there was nothing to disable.
HWND DisableOwner(HWND owner);
void RestoreOwner(HWND disabled);
// Runs the modal loop until `modal` has ended (or is destroyed).
void RunModalLoop(Window& modal);
// The modal windows in nesting order (innermost last).
std::vector<HWND>& ModalStack();
// Delivers one queued message, marshalled call or due timer; false when
// there was nothing.
bool DeliverOne();
Clock::time_point NextTimerDue();
void ForgetTimers(HWND window);

// Windows of other processes (foreign.cpp).
class ForeignWindow;
std::shared_ptr<ForeignWindow> FindForeign(HWND handle);
BOOL ForeignPost(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
// A handle for control `id` of a foreign window; null when it has none.
HWND ForeignControl(HWND parent, int id);
// Runs the first-window hook (once; outside the table's lock).
void FirstWindowMade();
// Makes the innermost modal window readable from other threads.
void PublishActiveModal();

// Pixels from dialog units with the dialog font's base units.
RECT DialogUnitsToPixels(short x, short y, short cx, short cy);

}  // namespace tq::ui
