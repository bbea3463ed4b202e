// Hooks for the ipc layer: windows of other processes as handles of this
// one, this process's top-level windows, and the foreground window handed
// over by WinExec.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win/user.h"

namespace tq::ui {

// A window of another process. Calls come on the caller's thread; a peer
// that is gone answers as a bad handle would (false / empty / 0).
class ForeignWindow {
 public:
  virtual ~ForeignWindow() = default;
  virtual bool Alive() = 0;
  virtual bool HasControl(int id) = 0;
  virtual std::u16string Text() = 0;
  virtual bool IsVisible() = 0;
  virtual bool IsEnabled() = 0;
  virtual BOOL Enable(BOOL enable) = 0;  // returns what EnableWindow returns
  virtual BOOL Show(int command) = 0;
  virtual BOOL SetForeground() = 0;
  virtual BOOL Post(UINT message, WPARAM wParam, LPARAM lParam) = 0;  // WM_COMMAND
  virtual LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) = 0;  // WM_CLOSE
};

// Makes a handle for `window`; the handle's Win32 calls (IsWindow,
// GetDlgItem, GetWindowTextW, IsWindowVisible, IsWindowEnabled,
// EnableWindow, ShowWindow, SetForegroundWindow, PostMessageW(WM_COMMAND),
// SendMessageW(WM_CLOSE)) are forwarded to it. GetDlgItem on a foreign
// handle gives a foreign child handle that exists while the control does.
HWND RegisterForeignWindow(std::shared_ptr<ForeignWindow> window);
void UnregisterForeignWindow(HWND handle);
bool IsForeignWindow(HWND handle);

// This process's top-level windows (dialogs, sheets) for answering peers.
struct TopLevelWindow {
  HWND handle;
  std::u16string title;
  bool visible;
  bool enabled;
};
std::vector<TopLevelWindow> TopLevelWindows();

// The active modal window of the process's windows thread, null when none.
// Safe from any thread.
HWND ActiveModalDialog();

// FindWindowW looks through this process's windows first, then asks the
// lookup, which searches the other processes (null when not found).
using ForeignFinder = HWND (*)(const std::u16string& title);
void SetForeignFinder(ForeignFinder finder);

// GetForegroundWindow asks this when no window of the process is active
// (the ipc layer resolves TELEQUILL_FOREGROUND there).
using ForegroundProvider = HWND (*)();
void SetForegroundProvider(ForegroundProvider provider);

// Called once, on the windows' thread, when the process claims that thread
// for its first window (at once when it already has); the ipc layer starts
// answering other processes then.
using FirstWindowHook = void (*)();
void SetFirstWindowHook(FirstWindowHook hook);

// Runs `call` on the windows' thread, waiting until its modal loop takes it
// (immediately when already on it); for peers that read or change windows.
// False when no thread owns windows.
bool RunOnWindowThread(void (*call)(void* context), void* context);
// Queues `call` for the windows' thread and returns at once: it runs when a
// modal loop next delivers, or never when none runs again. For threads that
// must not wait for the windows' thread (one may be ending the process).
void QueueOnWindowThread(void (*call)(void* context), void* context);

// Runs the calls that other threads wait to have run on the windows' thread,
// when called on that thread (true), and nothing elsewhere (false). A
// windows' thread that waits for another process calls it meanwhile: that
// process may be waiting, in turn, for an answer about this one's windows,
// as a Win32 thread in SendMessage still takes the messages sent to it.
bool RunWaitingCalls();

// Programs this process started (WinExec): whether one still runs, and
// asking the running ones to bring their active window forward. A window
// disabled while no window of this process is modal over it waits for
// such a program, and a click on it brings the program forward.
struct StartedProgramHooks {
  bool (*running)() = nullptr;
  void (*raise)() = nullptr;
};
void SetStartedProgramHooks(StartedProgramHooks hooks);
bool StartedProgramRunning();
void RaiseStartedProgram();

// `window` is disabled by a program this process started: it is disabled,
// it is itself the innermost modal window (no window of this process is
// modal over it) and a started program runs.
bool HeldByStartedProgram(HWND window);

}  // namespace tq::ui
