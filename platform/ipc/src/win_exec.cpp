// WinExec over fork and exec: the started program ends with the process
// that started it. The child gets the caller's environment, with
// TELEQUILL_FOREGROUND naming the caller's active dialog (or removed when
// there is none, so that a value the caller inherited is not passed on),
// and a face of its own (AddChildFace).
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "command_line.h"
#include "foreign_hooks.h"
#include "ipc/ipc.h"
#include "listener.h"
#include "program_search.h"
#include "started_programs.h"
#include "win/ansi_text.h"
#include "win/environment.h"
#include "win/foreign_window.h"
#include "win/kernel.h"
#include "win/owned_child.h"
#include "win/process.h"
#include "win/text.h"
#include "win/user.h"

extern char** environ;

namespace tq::ipc {
namespace {

inline constexpr char kForegroundName[] = "TELEQUILL_FOREGROUND=";
inline constexpr char kUiName[] = "TELEQUILL_UI=";
inline constexpr char kScriptName[] = "TELEQUILL_SCRIPT=";
inline constexpr char kChildUiName[] = "TELEQUILL_CHILD_UI=";
inline constexpr char kChildScriptName[] = "TELEQUILL_CHILD_SCRIPT=";

bool Named(const char* entry, const char* name) { return std::strncmp(entry, name, std::strlen(name)) == 0; }

std::string Value(const char* name) {
  std::string variable(name, std::strlen(name) - 1);
  return EnvironmentValue(variable.c_str()).value_or("");
}

// The child's face. A script is the parent's own: replayed by the child it
// would answer the child's dialogs with the parent's actions. So a child
// gets TELEQUILL_CHILD_UI (and TELEQUILL_CHILD_SCRIPT for the Qt face) as
// its face and script; without them the child of a scripted parent runs
// headless (default answers, dialogs cancelled), and the child of a
// person's run (Qt without a script) shows its windows to the person too.
void AddChildFace(std::vector<std::string>& environment) {
  const std::string ui = Value(kUiName);
  const std::string childUi = Value(kChildUiName);
  const std::string childScript = Value(kChildScriptName);
  const bool scripted = ui.rfind("script:", 0) == 0 || !Value(kScriptName).empty();
  if (!childUi.empty()) {
    environment.push_back(kUiName + childUi);
  } else if (scripted) {
    environment.push_back(std::string(kUiName) + "headless");
  } else if (!ui.empty()) {
    environment.push_back(kUiName + ui);
  }
  if (!childScript.empty()) environment.push_back(kScriptName + childScript);
}
inline constexpr UINT kStarted = 33;  // any value above 31 means success

// The dialog a started program works against: the innermost modal dialog,
// else the active window, when it is one of ours.
HWND CallersDialog() {
  HWND window = ui::ActiveModalDialog();
  if (window == nullptr) window = GetActiveWindow();
  if (window == nullptr || ui::IsForeignWindow(window) || !IsWindow(window)) return nullptr;
  return window;
}

std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (Named(*entry, kForegroundName) || Named(*entry, kUiName) || Named(*entry, kScriptName) ||
        Named(*entry, kChildUiName) || Named(*entry, kChildScriptName)) {
      continue;
    }
    environment.emplace_back(*entry);
  }
  AddChildFace(environment);
  const HWND dialog = CallersDialog();
  if (dialog != nullptr && StartWindowListener()) {
    ForegroundTarget target;
    target.pid = getpid();
    target.handle = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(dialog));
    target.token = ListenerToken();
    environment.push_back(kForegroundName + FormatForeground(target));
  }
  return environment;
}


UINT ErrorOfSpawn(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case ENOEXEC:
      return ERROR_BAD_FORMAT;
    default:
      return 0;  // out of memory or resources
  }
}

UINT Start(LPCSTR commandLine, const void* caller) {
  if (commandLine == nullptr) return ERROR_FILE_NOT_FOUND;
  const std::vector<std::u16string> parts = SplitCommandLine(AnsiToWide(commandLine));
  if (parts.empty()) return ERROR_FILE_NOT_FOUND;
  const ProgramFound program = FindProgram(NativePath(parts[0]), ProgramFolders(caller));
  if (program.path.empty()) return program.error;

  std::vector<std::string> arguments{program.path};
  for (size_t i = 1; i < parts.size(); ++i) arguments.push_back(Utf16ToUtf8(parts[i]));
  pid_t child = 0;
  const int error = StartOwnedChild(program.path, arguments, ChildEnvironment(), {}, child);
  if (error != 0) return ErrorOfSpawn(error);
  // Nobody waits for the child, as with Win32; this reaps it when it ends
  // and gives back what it left disabled.
  NoteStarted(child);
  std::thread([child] {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    NoteEnded(child);
    GiveBackWindowsOf(child);
  }).detach();
  return kStarted;
}

}  // namespace
}  // namespace tq::ipc

extern "C" UINT WinExec(LPCSTR commandLine, UINT /*showCommand: the child's windows show themselves*/) {
  return tq::ipc::Start(commandLine, __builtin_return_address(0));
}
