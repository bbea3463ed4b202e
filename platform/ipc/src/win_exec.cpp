// WinExec over posix_spawn. The child gets the caller's environment, with
// TELEQUILL_FOREGROUND naming the caller's active dialog (or removed when
// there is none, so that a value the caller inherited is not passed on).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "command_line.h"
#include "foreign_hooks.h"
#include "ipc/ipc.h"
#include "listener.h"
#include "program_search.h"
#include "win/ansi_text.h"
#include "win/foreign_window.h"
#include "win/kernel.h"
#include "win/process.h"
#include "win/text.h"
#include "win/user.h"

extern char** environ;

namespace tq::ipc {
namespace {

inline constexpr char kForegroundName[] = "TELEQUILL_FOREGROUND=";
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
    if (std::strncmp(*entry, kForegroundName, sizeof kForegroundName - 1) != 0) environment.emplace_back(*entry);
  }
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

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
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
  std::vector<std::string> environment = ChildEnvironment();
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(environment);
  pid_t child = 0;
  const int error = posix_spawn(&child, program.path.c_str(), nullptr, nullptr, argv.data(), envp.data());
  if (error != 0) return ErrorOfSpawn(error);
  // Nobody waits for the child, as with Win32; this reaps it when it ends.
  std::thread([child] {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return kStarted;
}

}  // namespace
}  // namespace tq::ipc

extern "C" UINT WinExec(LPCSTR commandLine, UINT /*showCommand: the child's windows show themselves*/) {
  return tq::ipc::Start(commandLine, __builtin_return_address(0));
}
