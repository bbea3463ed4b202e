#include "started_programs.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "peers.h"
#include "win/foreign_window.h"
#include "win/user.h"

namespace tq::ipc {
namespace {

// A window of this process that another process disabled.
struct Disabled {
  pid_t by = 0;
  HWND window = nullptr;
};

struct Started {
  std::mutex mutex;
  std::vector<pid_t> pids;
  std::vector<Disabled> disabled;
  std::vector<HWND> toGiveBack;  // left disabled by programs that ended
};

Started& TheStarted() {
  static auto* started = new Started;  // outlives the reaper threads at exit
  return *started;
}

void Raise(pid_t pid) {
  const auto hello = Ask(pid, Request{});
  if (!hello || hello->status != Status::Ok) return;
  Request request;
  request.token = hello->token;
  request.operation = Operation::RaiseActive;
  Ask(pid, request);
}

[[maybe_unused]] const bool registered = [] {
  ui::SetStartedProgramHooks({[] { return !RunningStarted().empty(); }, RaiseStartedPrograms});
  return true;
}();

// Runs on the windows' thread: the windows still disabled are enabled, and
// the one a person was working in (the innermost modal window) comes forward.
void EnableAgain(void*) {
  std::vector<HWND> windows;
  {
    Started& started = TheStarted();
    std::lock_guard lock(started.mutex);
    windows.swap(started.toGiveBack);
  }
  for (const HWND window : windows) {
    if (!IsWindow(window) || IsWindowEnabled(window)) continue;
    EnableWindow(window, TRUE);
    if (ui::ActiveModalDialog() == window) SetForegroundWindow(window);
  }
}

}  // namespace

void NoteStarted(pid_t child) {
  Started& started = TheStarted();
  std::lock_guard lock(started.mutex);
  started.pids.push_back(child);
}

void NoteEnded(pid_t child) {
  Started& started = TheStarted();
  std::lock_guard lock(started.mutex);
  std::erase(started.pids, child);
}

std::vector<pid_t> RunningStarted() {
  Started& started = TheStarted();
  std::lock_guard lock(started.mutex);
  return started.pids;
}

void NoteEnabledBy(pid_t asker, HWND window, bool enable, bool wasDisabled) {
  Started& started = TheStarted();
  std::lock_guard lock(started.mutex);
  if (enable) {
    std::erase_if(started.disabled, [window](const Disabled& entry) { return entry.window == window; });
  } else if (!wasDisabled) {
    // Only a window this call disabled: one disabled already is not the
    // asker's to give back.
    started.disabled.push_back({asker, window});
  }
}

void GiveBackWindowsOf(pid_t child) {
  bool any = false;
  {
    Started& started = TheStarted();
    std::lock_guard lock(started.mutex);
    for (const Disabled& entry : started.disabled) {
      if (entry.by != child) continue;
      started.toGiveBack.push_back(entry.window);
      any = true;
    }
    std::erase_if(started.disabled, [child](const Disabled& entry) { return entry.by == child; });
  }
  // Not waited for: the windows' thread may be ending the process.
  if (any) ui::QueueOnWindowThread(EnableAgain, nullptr);
}

void RaiseStartedPrograms() {
  const std::vector<pid_t> pids = RunningStarted();
  if (pids.empty()) return;
  std::thread([pids] {
    for (const pid_t pid : pids) Raise(pid);
  }).detach();
}

}  // namespace tq::ipc
