// qlautocfg: finds the device behind the printer port (or on the network)
// and answers the host's option names in an answer file beside its
// parameter file. Started with the parameter file's path; with none, it
// records the computer and user names for the driver.
//
// Exit status: 0 the run ended (answered or not), 1 the host window named
// on the command line never appeared.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources.h"
#include "autocfg/device_table.h"
#include "discovery.h"
#include "texts.h"
#include "ids.h"
#include "autocfg/parameter_file.h"
#include "waiting_step.h"
#include "win/dialog_state.h"
#include "win/environment.h"
#include "win/kernel.h"
#include "win/registry.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::autocfg {
namespace {

constexpr UINT_PTR kLookTimer = 1;
constexpr UINT kLookInterval = 20;

struct Program {
  std::u16string commandLine;
  int exitStatus = 0;
};

// The settings this program takes from its environment, handed to the
// device library (which reads none): the SNMP port and the addresses a
// broadcast search reaches on loopback. Tests that start the program also
// shorten the waiting dialogs' time-out and lengthen the device search.
void ApplyEnvironmentSettings() {
  const std::string broadcastList = EnvironmentValue("TELEQUILL_SNMP_BROADCAST_LIST").value_or("");
  KdwcifTransport transport;
  transport.port = static_cast<unsigned short>(EnvironmentNumber("TELEQUILL_SNMP_PORT", 65535).value_or(0));
  transport.broadcastList = broadcastList.c_str();
  transport.searchWaitMs = static_cast<int>(EnvironmentNumber("TELEQUILL_SNMP_WAIT_MS", 3600000).value_or(0));
  KdwcifSetTransport(transport);
  if (const auto timeout = EnvironmentNumber("TELEQUILL_AUTOCFG_TIMEOUT_MS", 3600000)) {
    SetStepTimeout(std::chrono::milliseconds(*timeout));
  }
}

void SetDefaultValue(HKEY parent, const char* subKey, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, subKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

// The computer and user names for the driver, under a key that is opened,
// never created; a missing key is passed over.
void RecordNames() {
  HKEY names = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ComputerName\\COmputerName", 0,
                    KEY_WRITE, &names) != ERROR_SUCCESS) {
    return;
  }
  char computer[16] = {};
  DWORD size = sizeof computer;
  if (!GetComputerNameA(computer, &size)) computer[0] = '\0';
  char user[257] = {};
  size = sizeof user;
  if (!GetUserNameA(user, &size)) user[0] = '\0';
  SetDefaultValue(names, "ForTKPCLDrv", computer);
  SetDefaultValue(names, "ForTKPCLDrv1", user);
  RegCloseKey(names);
}

// Between two looks for the host window: a hidden dialog that lives 20 ms,
// so that messages keep flowing.
INT_PTR PauseProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    ShowWindow(dialog, SW_HIDE);
    SetTimer(dialog, kLookTimer, kLookInterval, nullptr);
    return TRUE;
  }
  if (message == WM_TIMER && wParam == kLookTimer) {
    KillTimer(dialog, kLookTimer);
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  return FALSE;
}

// The host's window titled with the parameter file's path, once visible;
// null when it has not appeared within the step time-out.
HWND WaitForHostWindow(HWND self, const std::u16string& title) {
  const auto deadline = std::chrono::steady_clock::now() + StepTimeout();
  for (;;) {
    HWND host = FindWindowW(nullptr, title.c_str());
    if (host != nullptr && IsWindowVisible(host)) return host;
    if (std::chrono::steady_clock::now() >= deadline) return nullptr;
    // A face that ends the pause at once must not make this loop spin.
    if (DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kSearchingDialog), self, PauseProc, 0) != IDOK) Sleep(kLookInterval);
  }
}

void Unexpected(HWND owner) {
  Run run;
  ShowMessage(owner, run, text::kUnexpected, text::kUnexpectedCaption, MB_OK | MB_ICONERROR);
}

void HandBack(HWND host) {
  ShowWindow(host, SW_SHOWNORMAL);
  SetForegroundWindow(host);
  SendMessageW(host, WM_CLOSE, 0, 0);
}

void Start(HWND self, Program& program) {
  const std::u16string& path = program.commandLine;
  if (path.empty()) return RecordNames();
  HWND host = WaitForHostWindow(self, path);
  if (host == nullptr) {
    std::fprintf(stderr, "qlautocfg: no window titled \"%s\" appeared; nothing was done\n", Utf16ToUtf8(path).c_str());
    program.exitStatus = 1;
    return;
  }
  ShowWindow(host, SW_HIDE);
  const auto bytes = ReadParameterFile(path);
  if (!bytes) {
    Unexpected(self);
    return HandBack(host);
  }
  const auto header = HeaderOf(SplitParameterLines(*bytes));
  Run run;
  run.parameterPath = path;
  run.currentFile = path;
  run.owner = self;
  if (!header || !IsSupportedType(header->expectedType)) {
    Unexpected(self);
  } else {
    run.port = header->port;
    run.libraryArgument = header->libraryArgument;
    run.expectedType = header->expectedType;
    RunDiscovery(run);
  }
  HandBack(host);
  DeleteFileW(path.c_str());
}

INT_PTR MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    AttachBorrowedDialogState(window, *reinterpret_cast<Program*>(lParam));
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == kStartCommand) {
    if (Program* program = DialogStateOf<Program>(window)) Start(window, *program);
    DestroyWindow(window);
    PostQuitMessage(0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace
}  // namespace tq::autocfg

int main(int argc, char** argv) {
  using namespace tq::autocfg;
  tq::res::RegisterResources(nullptr, kResourceScript);
  tq::ui::UseSystemTexts(SpanishSystemTexts());
  ApplyEnvironmentSettings();
  Program program;
  // The whole command line is the parameter file's path.
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  program.commandLine = tq::Utf8ToUtf16(line);

  HWND window = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kMainWindowDialog), nullptr, MainProc,
                                   reinterpret_cast<LPARAM>(&program));
  if (window == nullptr) {
    std::fprintf(stderr, "qlautocfg: the program's window cannot be made\n");
    return 2;
  }
  ShowWindow(window, SW_HIDE);
  PostMessageW(window, WM_COMMAND, kStartCommand, 0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // A worker left inside a library call is not waited for.
  if (WorkerAbandoned()) {
    std::fflush(nullptr);
    std::_Exit(program.exitStatus);
  }
  return program.exitStatus;
}
