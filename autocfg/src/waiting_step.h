// One long step: a worker thread under a modal waiting dialog (3006 or
// 1004) with a time-out. Whichever side finishes first decides the state:
// the worker by its result, the dialog by 11 (time-out) or 12 (Cancel).
// A worker that loses goes on alone and is abandoned: it no longer writes
// the state or any file, and the process does not wait for it at exit.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "win/user.h"

namespace tq::autocfg {

inline constexpr int kStateDone = 0;
inline constexpr int kStateTimeOut = 11;
inline constexpr int kStateCancelled = 12;
inline constexpr int kStateNoResult = 21;

struct StepShare {
  std::atomic<int> state{kStateNoResult};
  std::atomic<int> done{0};  // 0 running, 1 the worker is committing, 2 decided
  // The worker's claim: true when it finished first and may commit.
  bool Claim() {
    int running = 0;
    return done.compare_exchange_strong(running, 1);
  }
};

// The worker computes its state; when it wins, `commit` (may be empty) runs
// before the state is published. Returns the decided state.
struct StepWork {
  std::function<int()> compute;
  std::function<void(int state)> commit;
  bool belowNormal = false;
};

int RunWaitingStep(int dialogId, HWND owner, StepWork work);

// The time-out of a waiting dialog: 20,000 ms unless set (a test's
// shorter wait; zero or less keeps the default).
std::chrono::milliseconds StepTimeout();
void SetStepTimeout(std::chrono::milliseconds timeout);

// True once a worker was abandoned in this process.
bool WorkerAbandoned();

}  // namespace tq::autocfg
