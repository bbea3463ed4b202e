// The windows thread's queue: posted messages and calls marshalled from
// other threads (both safe from any thread), and the timers. Modal loops
// deliver from here and ask the face for input when nothing is left.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "window.h"
#include "win/foreign_window.h"
#include "win/user_input.h"

namespace tq::ui {
namespace {

struct Posted {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct Marshalled {
  void (*call)(void*);
  void* context;
  bool* done;
};

struct Timer {
  UINT elapse;
  TIMERPROC proc;
  Clock::time_point due;
};

struct Queue {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable doneCalls;
  std::deque<Posted> posted;
  std::deque<Marshalled> calls;
  bool wakeAsked = false;
  bool quit = false;
  int quitCode = 0;
  std::map<std::pair<HWND, UINT_PTR>, Timer> timers;  // windows thread only
  std::map<int, int> handledCommands;                  // posted WM_COMMAND ids
  UINT_PTR nextTimerId = 0x7F00;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

void WakeLoop() {
  Queue& queue = TheQueue();
  {
    std::lock_guard lock(queue.mutex);
    queue.wakeAsked = true;
  }
  queue.wake.notify_all();
  CurrentFace().Wake();
}

bool FireDueTimer() {
  Queue& queue = TheQueue();
  const Clock::time_point now = Clock::now();
  for (auto& [key, timer] : queue.timers) {
    if (timer.due > now) continue;
    timer.due = now + std::chrono::milliseconds(timer.elapse);
    const auto [window, id] = key;
    const TIMERPROC proc = timer.proc;
    if (proc != nullptr) {
      proc(window, WM_TIMER, id, GetTickCount());
    } else if (Window* record = PeekWindowRecord(window)) {
      Dispatch(*record, WM_TIMER, id, 0);
    }
    return true;  // the map may have changed under the call
  }
  return false;
}

}  // namespace

bool DeliverOne() {
  Queue& queue = TheQueue();
  std::unique_lock lock(queue.mutex);
  if (!queue.calls.empty()) {
    Marshalled call = queue.calls.front();
    queue.calls.pop_front();
    lock.unlock();
    call.call(call.context);
    if (call.done == nullptr) return true;  // nobody waits for it
    lock.lock();
    *call.done = true;
    queue.doneCalls.notify_all();
    return true;
  }
  if (!queue.posted.empty()) {
    Posted message = queue.posted.front();
    queue.posted.pop_front();
    lock.unlock();
    // A message for a window that has gone since is dropped, as Win32 does.
    if (Window* window = PeekWindowRecord(message.window)) {
      Dispatch(*window, message.message, message.wParam, message.lParam);
      if (message.message == WM_COMMAND) {
        std::lock_guard relock(queue.mutex);
        ++queue.handledCommands[LOWORD(message.wParam)];
      }
    }
    return true;
  }
  lock.unlock();
  return FireDueTimer();
}

Clock::time_point NextTimerDue() {
  Clock::time_point next = Clock::time_point::max();
  for (auto& [key, timer] : TheQueue().timers) next = std::min(next, timer.due);
  return next;
}

void ForgetTimers(HWND window) {
  auto& timers = TheQueue().timers;
  for (auto it = timers.begin(); it != timers.end();) {
    it = it->first.first == window ? timers.erase(it) : std::next(it);
  }
}

bool WaitForQueue(Clock::time_point deadline) {
  Queue& queue = TheQueue();
  std::unique_lock lock(queue.mutex);
  const Clock::time_point until = std::min(deadline, NextTimerDue());
  auto ready = [&] { return !queue.posted.empty() || !queue.calls.empty() || queue.wakeAsked; };
  if (until == Clock::time_point::max()) {
    queue.wake.wait(lock, ready);
  } else {
    queue.wake.wait_until(lock, until, ready);
  }
  queue.wakeAsked = false;
  return !queue.posted.empty() || !queue.calls.empty();
}

int HandledPostedCommands(int id) {
  Queue& queue = TheQueue();
  std::lock_guard lock(queue.mutex);
  auto found = queue.handledCommands.find(id);
  return found == queue.handledCommands.end() ? 0 : found->second;
}

void RunMarshalled(void (*call)(void*), void* context) {
  Queue& queue = TheQueue();
  bool done = false;
  {
    std::lock_guard lock(queue.mutex);
    queue.calls.push_back({call, context, &done});
  }
  WakeLoop();
  std::unique_lock lock(queue.mutex);
  queue.doneCalls.wait(lock, [&] { return done; });
}

void QueueOnWindowThread(void (*call)(void* context), void* context) {
  Queue& queue = TheQueue();
  {
    std::lock_guard lock(queue.mutex);
    queue.calls.push_back({call, context, nullptr});
  }
  WakeLoop();
}

bool RunOnWindowThread(void (*call)(void* context), void* context) {
  if (OnWindowThread()) {
    call(context);
    return true;
  }
  RunMarshalled(call, context);
  return true;
}

namespace {

// Every call other threads have queued, none of the posted messages.
void RunMarshalledCalls() {
  Queue& queue = TheQueue();
  for (;;) {
    std::unique_lock lock(queue.mutex);
    if (queue.calls.empty()) return;
    lock.unlock();
    DeliverOne();
  }
}

}  // namespace

bool RunWaitingCalls() {
  if (!OnWindowThread()) return false;
  RunMarshalledCalls();
  return true;
}

bool DeliverQueued() {
  bool any = false;
  while (DeliverOne()) any = true;
  return any;
}

void RunModalLoop(Window& modal) {
  const HWND handle = modal.handle;
  ModalStack().push_back(handle);
  PublishActiveModal();
  for (;;) {
    Window* window = PeekWindowRecord(handle);
    if (window == nullptr || window->ended) break;
    if (DeliverOne()) continue;
    CurrentFace().WaitForInput({handle, NextTimerDue()});
  }
  auto& stack = ModalStack();
  std::erase(stack, handle);
  PublishActiveModal();
}

std::vector<HWND>& ModalStack() {
  static std::vector<HWND> stack;
  return stack;
}

}  // namespace tq::ui

using namespace tq::ui;

extern "C" BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr && !HandleExists(window)) {
    if (IsForeignWindow(window)) return ForeignPost(window, message, wParam, lParam);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Queue& queue = TheQueue();
  {
    std::lock_guard lock(queue.mutex);
    if (window != nullptr) queue.posted.push_back({window, message, wParam, lParam});
  }
  WakeLoop();
  return TRUE;
}

extern "C" void PostQuitMessage(int exitCode) {
  Queue& queue = TheQueue();
  {
    std::lock_guard lock(queue.mutex);
    queue.quit = true;
    queue.quitCode = exitCode;
  }
  WakeLoop();
}

namespace {

bool InFilter(UINT message, UINT low, UINT high) {
  return (low == 0 && high == 0) || (message >= low && message <= high);
}

// Takes the first queued message for `window` (null: any) in the filter.
bool TakePosted(MSG* out, HWND window, UINT low, UINT high, bool remove) {
  Queue& queue = TheQueue();
  std::lock_guard lock(queue.mutex);
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if ((window == nullptr || it->window == window) && InFilter(it->message, low, high)) {
      *out = MSG{it->window, it->message, it->wParam, it->lParam, GetTickCount(), {0, 0}};
      if (remove) queue.posted.erase(it);
      return true;
    }
  }
  if (queue.quit && InFilter(WM_QUIT, low, high)) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, GetTickCount(), {0, 0}};
    if (remove) queue.quit = false;
    return true;
  }
  return false;
}

bool TakeDueTimer(MSG* out) {
  Queue& queue = TheQueue();
  const Clock::time_point now = Clock::now();
  for (auto& [key, timer] : queue.timers) {
    if (timer.due > now) continue;
    timer.due = now + std::chrono::milliseconds(timer.elapse);
    *out = MSG{key.first, WM_TIMER, key.second, reinterpret_cast<LPARAM>(timer.proc),
               GetTickCount(), {0, 0}};
    return true;
  }
  return false;
}

}  // namespace

extern "C" BOOL GetMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax) {
  if (message == nullptr) return -1;
  for (;;) {
    RunMarshalledCalls();
    if (TakePosted(message, window, filterMin, filterMax, true)) {
      return message->message == WM_QUIT ? FALSE : TRUE;
    }
    if (InFilter(WM_TIMER, filterMin, filterMax) && TakeDueTimer(message)) return TRUE;
    const auto& stack = ModalStack();
    HWND active = stack.empty() ? GetActiveWindow() : stack.back();
    CurrentFace().WaitForInput({active, NextTimerDue()});
  }
}

extern "C" BOOL PeekMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax,
                             UINT remove) {
  if (message == nullptr) return FALSE;
  RunMarshalledCalls();
  if (TakePosted(message, window, filterMin, filterMax, (remove & PM_REMOVE) != 0)) return TRUE;
  return InFilter(WM_TIMER, filterMin, filterMax) && TakeDueTimer(message);
}

extern "C" BOOL TranslateMessage(const MSG*) { return FALSE; }

extern "C" LRESULT DispatchMessageW(const MSG* message) {
  if (message == nullptr) return 0;
  if (message->message == WM_TIMER && message->lParam != 0) {
    reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam,
                                                 GetTickCount());
    return 0;
  }
  Window* window = FindWindowRecord(message->hwnd);
  if (window == nullptr) return 0;
  return Dispatch(*window, message->message, message->wParam, message->lParam);
}

// IsDialogMessageW: keyboard input reaches dialogs through the face's calls,
// so no queued message is ever a dialog's keyboard message.
extern "C" BOOL IsDialogMessageW(HWND, MSG*) { return FALSE; }

extern "C" UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return OnOwnerThread([&]() -> UINT_PTR {
    if (window != nullptr && FindWindowRecord(window) == nullptr) return 0;
    Queue& queue = TheQueue();
    if (window == nullptr) id = ++queue.nextTimerId;
    if (window != nullptr && id == 0) id = 1;
    const UINT period = std::max<UINT>(elapse, 10);  // Win32's shortest timer
    queue.timers[{window, id}] = Timer{period, proc, Clock::now() + std::chrono::milliseconds(period)};
    return id;
  });
}

extern "C" BOOL KillTimer(HWND window, UINT_PTR id) {
  return OnOwnerThread([&]() -> BOOL {
    if (TheQueue().timers.erase({window, id}) == 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    return TRUE;
  });
}
