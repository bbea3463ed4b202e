// The fault seam: one countdown per kind of operation, shared by every thread
// of the process.
#include <array>
#include <atomic>
#include <mutex>

#include "internal.h"

namespace {
std::array<std::atomic<int>, 3> countdown{};

std::atomic<int>& CounterFor(tq::FileFault kind) { return countdown[static_cast<int>(kind)]; }

std::mutex betweenMutex;
std::function<void()> betweenOpenAndLock;
}  // namespace

namespace tq {

void FailNthFileOperation(FileFault kind, int n) { CounterFor(kind).store(n < 0 ? 0 : n); }

void ClearFileFaults() {
  for (auto& counter : countdown) counter.store(0);
  std::lock_guard lock(betweenMutex);
  betweenOpenAndLock = nullptr;
}

void RunBetweenNextOpenAndLock(std::function<void()> action) {
  std::lock_guard lock(betweenMutex);
  betweenOpenAndLock = std::move(action);
}

}  // namespace tq

namespace tq::kernel {

bool FaultFires(FileFault kind) {
  auto& counter = CounterFor(kind);
  int value = counter.load();
  while (value > 0) {
    if (counter.compare_exchange_weak(value, value - 1)) return value == 1;
  }
  return false;
}

void RunBetweenOpenAndLock() {
  std::function<void()> action;
  {
    std::lock_guard lock(betweenMutex);
    action.swap(betweenOpenAndLock);
  }
  if (action) action();
}

}  // namespace tq::kernel
