#include "host/autoconfigure.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "host/atomic_file.h"
#include "host/host_options.h"
#include "ipc/ipc.h"
#include "texts.h"
#include "win/dialog_state.h"
#include "win/environment.h"
#include "win/kernel.h"
#include "win/process.h"
#include "win/resource.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::host {
namespace {

constexpr int kHostWindowDialog = 900;
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchInterval = 100;
// qlautocfg shows its hidden window within this time of being started, or
// it is taken as not started.
constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kCloseGrace = std::chrono::seconds(3);
constexpr char16_t kProgramWindow[] = u"Tkautocfg";

// How the waiting window ended, each apart from the dialog manager's own
// IDOK and IDCANCEL (a person or a face closing the window: cancelled).
constexpr INT_PTR kClosed = 100;      // qlautocfg closed the window: the answer is there or not
constexpr INT_PTR kNotStarted = 101;  // WinExec failed
constexpr INT_PTR kGone = 102;        // qlautocfg never showed up, or went away without closing

const res::ControlTemplate kHostWindowControls[] = {
    {WC_STATICW, -1, texts::kAutoconfigRunning, 10, 12, 200, 8, SS_LEFT},
};
const res::DialogTemplate kHostDialogs[] = {
    {kHostWindowDialog, u"", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 220, 34, kHostWindowControls},
};
const res::ResourceScript kHostScript{kHostDialogs, {}, {}};

struct Watch {
  std::u16string title;
  std::string commandLine;
  std::string childFace;  // TELEQUILL_UI for qlautocfg, when it differs from ours
  std::chrono::steady_clock::time_point startedAt;
  bool seen = false;
  // qlautocfg's WM_CLOSE may come while a look for its window waits for an
  // answer; what that look finds then no longer counts.
  bool closed = false;
  // When qlautocfg's window was first missed after it had been seen: its
  // WM_CLOSE to this window may still be on its way, so the run counts as
  // gone only once a grace time has passed without it.
  std::optional<std::chrono::steady_clock::time_point> missedAt;
};

INT_PTR HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* watch = DialogStateOf<Watch>(window);
  if (message != WM_INITDIALOG && watch == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      watch = &AttachBorrowedDialogState(window, *reinterpret_cast<Watch*>(lParam));
      SetWindowTextW(window, watch->title.c_str());
      // The script is qlautocfg's: WinExec hands a started program the face
      // named in TELEQUILL_CHILD_UI.
      if (!watch->childFace.empty()) setenv("TELEQUILL_CHILD_UI", watch->childFace.c_str(), 1);
      if (WinExec(watch->commandLine.c_str(), SW_SHOWNORMAL) <= 31) {
        EndDialog(window, kNotStarted);
        return TRUE;
      }
      watch->startedAt = std::chrono::steady_clock::now();
      SetTimer(window, kWatchTimer, kWatchInterval, nullptr);
      return TRUE;
    case WM_TIMER: {
      if (wParam != kWatchTimer) return FALSE;
      const bool present = FindWindowW(nullptr, kProgramWindow) != nullptr;
      if (watch->closed) return TRUE;
      if (present) {
        watch->seen = true;
        watch->missedAt.reset();
        return TRUE;
      }
      const auto now = std::chrono::steady_clock::now();
      if (watch->seen && !watch->missedAt) watch->missedAt = now;
      if ((watch->missedAt && now - *watch->missedAt > kCloseGrace) ||
          (!watch->seen && now - watch->startedAt > kStartLimit)) {
        KillTimer(window, kWatchTimer);
        EndDialog(window, kGone);
      }
      return TRUE;
    }
    case WM_CLOSE:
      watch->closed = true;
      KillTimer(window, kWatchTimer);
      EndDialog(window, kClosed);
      return TRUE;
    default: return FALSE;
  }
}

// A name of our own in the private folder; its last three characters become
// "DAT" for the answer.
std::string ParameterPath(const std::string& folder) {
  char name[32];
  std::snprintf(name, sizeof name, "/AC%06X.TMP", static_cast<unsigned>(getpid()) & 0xFFFFFFu);
  return folder + name;
}

}  // namespace

AutoconfigOutcome RunAutoconfigure(Model model, const std::string& portName) {
  AutoconfigOutcome outcome;
  const std::string folder = ipc::PrivateRuntimeFolder();
  if (folder.empty()) {
    outcome.problem = AutoconfigOutcome::Problem::NoPrivateFolder;
    outcome.error = "no private folder for the parameter file";
    return outcome;
  }
  const std::string parameterPath = ParameterPath(folder);
  const std::string answerPath = AnswerPathFor(parameterPath);
  std::remove(answerPath.c_str());  // an old answer must not pass for this run's
  if (!WriteFileAtomically(parameterPath, AutoconfigParameters(portName, model), outcome.error)) {
    outcome.problem = AutoconfigOutcome::Problem::ParameterFile;
    return outcome;
  }

  static const bool registered = (res::RegisterResources(nullptr, kHostScript), true);
  (void)registered;
  Watch watch;
  watch.title = Utf8ToUtf16(parameterPath);
  watch.commandLine = "qlautocfg.EXE \"" + parameterPath + "\"";
  // A script is for qlautocfg's dialogs; our window only waits and takes
  // none of its actions.
  if (const auto face = EnvironmentValue("TELEQUILL_UI"); face && face->rfind("script:", 0) == 0) {
    watch.childFace = *face;
    setenv("TELEQUILL_UI", "script:/dev/null", 1);
  }
  const INT_PTR ended = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kHostWindowDialog), nullptr, HostWindowProc,
                                        reinterpret_cast<LPARAM>(&watch));
  std::remove(parameterPath.c_str());  // qlautocfg deletes it, unless it went away first

  if (ended != kClosed) {
    switch (ended) {
      case kNotStarted:
        outcome.problem = AutoconfigOutcome::Problem::NotStarted;
        outcome.error = "qlautocfg cannot be started";
        break;
      case kGone:
        outcome.problem = AutoconfigOutcome::Problem::Gone;
        outcome.error = "qlautocfg ended without an answer and without closing the window " + parameterPath;
        break;
      default:
        outcome.status = AutoconfigOutcome::Status::Cancelled;
        outcome.error = "the waiting window was closed before qlautocfg answered";
    }
    std::remove(answerPath.c_str());
    return outcome;
  }
  std::string bytes, error;
  if (!ReadWholeFile(answerPath, bytes, error)) {
    outcome.status = AutoconfigOutcome::Status::NoAnswer;
    return outcome;
  }
  std::remove(answerPath.c_str());
  const auto facts = ParseAutoconfigAnswer(bytes);
  if (!facts) {
    outcome.problem = AutoconfigOutcome::Problem::BadAnswer;
    outcome.error = "the answer file " + answerPath + " is not an answer to the host's questions";
    return outcome;
  }
  outcome.status = AutoconfigOutcome::Status::Answered;
  outcome.facts = *facts;
  return outcome;
}

bool ApplyDeviceFacts(const DeviceFacts& facts, SettingsBlock& block, const SettingsLayout& layout,
                      std::string& error) {
  SettingsBlock changed = block;  // all of them or none
  for (const auto& [name, value] : SettingsFromFacts(facts)) {
    if (!ApplySetting(changed, layout, name, value, error)) return false;
  }
  block = std::move(changed);
  return true;
}

}  // namespace tq::host
