// Windows of other processes as handles of this one, the top-level window
// list and foreground window for the ipc layer, FindWindowW, and the
// modifier keys.
#include <atomic>
#include <map>
#include <mutex>

#include "window.h"
#include "win/foreign_window.h"
#include "win/user_input.h"

namespace tq::ui {
namespace {

// A control of a foreign window: it exists while its window has it.
class ForeignChild final : public ForeignWindow {
 public:
  ForeignChild(std::shared_ptr<ForeignWindow> parent, int id) : parent_(std::move(parent)), id_(id) {}
  bool Alive() override { return parent_->Alive() && parent_->HasControl(id_); }
  bool HasControl(int) override { return false; }
  std::u16string Text() override { return {}; }
  bool IsVisible() override { return Alive(); }
  bool IsEnabled() override { return Alive(); }
  BOOL Enable(BOOL) override { return FALSE; }
  BOOL Show(int) override { return FALSE; }
  BOOL SetForeground() override { return FALSE; }
  BOOL Post(UINT, WPARAM, LPARAM) override { return FALSE; }
  LRESULT Send(UINT, WPARAM, LPARAM) override { return 0; }

 private:
  std::shared_ptr<ForeignWindow> parent_;
  int id_;
};

struct Foreigners {
  std::mutex mutex;
  std::map<HWND, std::shared_ptr<ForeignWindow>> windows;
  std::map<std::pair<HWND, int>, HWND> children;
  ULONG_PTR next = 0x7F000010;
  ForeignFinder finder = nullptr;
  ForegroundProvider foreground = nullptr;
};

Foreigners& TheForeigners() {
  static Foreigners foreigners;
  return foreigners;
}

std::atomic<HWND> activeModal{nullptr};
std::atomic<FirstWindowHook> firstWindowHook{nullptr};
std::atomic<bool> firstWindowMade{false};
std::atomic<bool> shiftHeld{false};
std::atomic<bool> controlHeld{false};

}  // namespace

HWND RegisterForeignWindow(std::shared_ptr<ForeignWindow> window) {
  if (!window) return nullptr;
  Foreigners& f = TheForeigners();
  std::lock_guard lock(f.mutex);
  HWND handle = reinterpret_cast<HWND>(f.next);
  f.next += 4;
  f.windows.emplace(handle, std::move(window));
  return handle;
}

void UnregisterForeignWindow(HWND handle) {
  Foreigners& f = TheForeigners();
  std::lock_guard lock(f.mutex);
  f.windows.erase(handle);
}

std::shared_ptr<ForeignWindow> FindForeign(HWND handle) {
  Foreigners& f = TheForeigners();
  std::lock_guard lock(f.mutex);
  auto found = f.windows.find(handle);
  return found == f.windows.end() ? nullptr : found->second;
}

bool IsForeignWindow(HWND handle) { return FindForeign(handle) != nullptr; }

BOOL ForeignPost(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto window = FindForeign(handle);
  if (!window || !window->Alive()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return window->Post(message, wParam, lParam);
}

HWND ForeignControl(HWND parent, int id) {
  auto window = FindForeign(parent);
  if (!window || !window->HasControl(id)) {
    SetLastError(window ? ERROR_CONTROL_ID_NOT_FOUND : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  Foreigners& f = TheForeigners();
  {
    std::lock_guard lock(f.mutex);
    auto known = f.children.find({parent, id});
    if (known != f.children.end() && f.windows.count(known->second) != 0) return known->second;
  }
  HWND child = RegisterForeignWindow(std::make_shared<ForeignChild>(window, id));
  std::lock_guard lock(f.mutex);
  f.children[{parent, id}] = child;
  return child;
}

std::vector<TopLevelWindow> TopLevelWindows() {
  return OnOwnerThread([]() {
    std::vector<TopLevelWindow> result;
    for (Window* window : TopLevelRecords()) {
      result.push_back({window->handle, window->text, window->Visible(), window->Enabled()});
    }
    return result;
  });
}

HWND ActiveModalDialog() { return activeModal.load(); }

void PublishActiveModal() {
  const auto& stack = ModalStack();
  activeModal.store(stack.empty() ? nullptr : stack.back());
}

void SetForeignFinder(ForeignFinder finder) {
  Foreigners& f = TheForeigners();
  std::lock_guard lock(f.mutex);
  f.finder = finder;
}

void SetForegroundProvider(ForegroundProvider provider) {
  Foreigners& f = TheForeigners();
  std::lock_guard lock(f.mutex);
  f.foreground = provider;
}

void SetFirstWindowHook(FirstWindowHook hook) {
  firstWindowHook = hook;
  if (hook != nullptr && firstWindowMade) hook();
}

void FirstWindowMade() {
  if (firstWindowMade.exchange(true)) return;
  if (FirstWindowHook hook = firstWindowHook.load()) hook();
}

void HoldModifiers(bool shift, bool control) {
  shiftHeld = shift;
  controlHeld = control;
}

namespace {
std::atomic<bool (*)()> startedRunning{nullptr};
std::atomic<void (*)()> startedRaise{nullptr};
}  // namespace

void SetStartedProgramHooks(StartedProgramHooks hooks) {
  startedRunning.store(hooks.running);
  startedRaise.store(hooks.raise);
}

bool StartedProgramRunning() {
  const auto running = startedRunning.load();
  return running != nullptr && running();
}

void RaiseStartedProgram() {
  if (const auto raise = startedRaise.load()) raise();
}

bool HeldByStartedProgram(HWND window) {
  return window != nullptr && ActiveModalDialog() == window && !IsWindowEnabled(window) && StartedProgramRunning();
}

}  // namespace tq::ui

using namespace tq::ui;

extern "C" HWND GetForegroundWindow() {
  HWND own = GetActiveWindow();
  if (own != nullptr) return own;
  ForegroundProvider provider;
  {
    Foreigners& f = TheForeigners();
    std::lock_guard lock(f.mutex);
    provider = f.foreground;
  }
  return provider != nullptr ? provider() : nullptr;
}

extern "C" BOOL SetForegroundWindow(HWND handle) {
  if (!HandleExists(handle)) {
    if (auto foreign = FindForeign(handle)) return foreign->SetForeground();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(handle);
    if (window == nullptr) return FALSE;
    Window* top = TopLevelOf(*window);
    if (Window* focus = PeekWindowRecord(top->lastFocus); focus != nullptr && focus != PeekWindowRecord(FocusedWindow())) {
      FocusWindow(focus);
    }
    Changed(*top, Change::Focus);
    if (Window* still = PeekWindowRecord(handle)) Changed(*TopLevelOf(*still), Change::Foreground);
    return TRUE;
  });
}

extern "C" HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
  const std::u16string wantedClass = FromWide(IS_INTRESOURCE(className) ? nullptr : className);
  const std::u16string wantedTitle = FromWide(title);
  for (const TopLevelWindow& window : TopLevelWindows()) {
    if (title != nullptr && window.title != wantedTitle) continue;
    if (!wantedClass.empty()) {
      char16_t name[64];
      GetClassNameW(window.handle, name, 64);
      if (wantedClass != name) continue;
    }
    return window.handle;
  }
  ForeignFinder finder;
  {
    Foreigners& f = TheForeigners();
    std::lock_guard lock(f.mutex);
    finder = f.finder;
  }
  if (finder != nullptr && title != nullptr) return finder(wantedTitle);
  return nullptr;
}

extern "C" SHORT GetAsyncKeyState(int key) {
  bool held = false;
  if (key == VK_SHIFT) held = shiftHeld;
  if (key == VK_CONTROL) held = controlHeld;
  return held ? static_cast<SHORT>(0x8000) : 0;
}

extern "C" SHORT GetKeyState(int key) { return GetAsyncKeyState(key); }
