#include "started_programs.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "peers.h"
#include "win/foreign_window.h"

namespace tq::ipc {
namespace {

struct Started {
  std::mutex mutex;
  std::vector<pid_t> pids;
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

void RaiseStartedPrograms() {
  const std::vector<pid_t> pids = RunningStarted();
  if (pids.empty()) return;
  std::thread([pids] {
    for (const pid_t pid : pids) Raise(pid);
  }).detach();
}

}  // namespace tq::ipc
