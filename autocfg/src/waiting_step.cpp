#include "waiting_step.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "ids.h"
#include "win/dialog_state.h"
#include "win/kernel.h"

namespace tq::autocfg {
namespace {

constexpr UINT_PTR kTimeOutTimer = 1;
constexpr DWORD kWorkerStartDelay = 20;

std::atomic<bool> g_abandoned{false};

struct Step {
  StepShare share;
  StepWork work;
};

void StartWorker(std::shared_ptr<Step> step, HWND dialog) {
  std::thread([step, dialog] {
    // Below normal: a higher nice value for this thread alone.
    if (step->work.belowNormal) setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 2);
    Sleep(kWorkerStartDelay);
    const int state = step->work.compute();
    if (!step->share.Claim()) return;  // the dialog decided; nothing more is ours
    if (step->work.commit) step->work.commit(state);
    step->share.state.store(state);
    step->share.done.store(2);
    PostMessageW(dialog, WM_COMMAND, kWaitOverCommand, 0);
  }).detach();
}

INT_PTR WaitingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* step = DialogStateOf<std::shared_ptr<Step>>(dialog);
  if (message != WM_INITDIALOG && step == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      step = &AttachBorrowedDialogState(dialog, *reinterpret_cast<std::shared_ptr<Step>*>(lParam));
      SetTimer(dialog, kTimeOutTimer, static_cast<UINT>(StepTimeout().count()), nullptr);
      StartWorker(*step, dialog);
      return TRUE;
    case WM_TIMER:
      if (wParam != kTimeOutTimer) return FALSE;
      KillTimer(dialog, kTimeOutTimer);
      if ((*step)->share.Claim()) {
        (*step)->share.state.store(kStateTimeOut);
        (*step)->share.done.store(2);
        PostMessageW(dialog, WM_COMMAND, kWaitOverCommand, 0);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kWaitOverCommand) {
        KillTimer(dialog, kTimeOutTimer);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL && (*step)->share.Claim()) {
        KillTimer(dialog, kTimeOutTimer);
        (*step)->share.state.store(kStateCancelled);
        (*step)->share.done.store(2);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

constexpr std::chrono::milliseconds kDefaultStepTimeout{20000};
std::atomic<long long> g_stepTimeoutMs{kDefaultStepTimeout.count()};

std::chrono::milliseconds StepTimeout() { return std::chrono::milliseconds(g_stepTimeoutMs.load()); }

void SetStepTimeout(std::chrono::milliseconds timeout) {
  g_stepTimeoutMs.store(timeout.count() > 0 ? timeout.count() : kDefaultStepTimeout.count());
}

bool WorkerAbandoned() { return g_abandoned.load(); }

int RunWaitingStep(int dialogId, HWND owner, StepWork work) {
  auto step = std::make_shared<Step>();
  step->work = std::move(work);
  auto handle = step;
  DialogBoxParamW(nullptr, MAKEINTRESOURCEW(dialogId), owner, WaitingProc, reinterpret_cast<LPARAM>(&handle));
  // A worker that claimed is committing: its commit is short and bounded.
  while (step->share.done.load() != 2) {
    if (step->share.Claim()) {  // the dialog went away some other way
      step->share.state.store(kStateCancelled);
      step->share.done.store(2);
      break;
    }
    Sleep(1);
  }
  if (step->share.state.load() == kStateTimeOut || step->share.state.load() == kStateCancelled) {
    g_abandoned.store(true);  // the worker may still be inside a library call
  }
  return step->share.state.load();
}

}  // namespace tq::autocfg
