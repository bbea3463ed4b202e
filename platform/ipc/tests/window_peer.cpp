// The other process of the ipc tests.
//
//   ipc_window_peer dialog TITLE   shows the test dialog titled TITLE until
//                                  WM_COMMAND 4321 (exit 0) or WM_CLOSE (exit 7)
//                                  arrives, or exits (status 5) from inside the
//                                  dialog after WM_COMMAND 4322 and a busy
//                                  half second; the script of TELEQUILL_UI bounds it
//   ipc_window_peer dialog TITLE OTHER  the same, but WM_CLOSE first looks
//                                  for a window titled OTHER and ends with 8
//                                  when it is found
//   ipc_window_peer child [ARG...] does what a program started by WinExec from
//                                  a dialog does: finds the dialog, looks for
//                                  controls, disables it and posts WM_COMMAND
//                                  1022; writes what it saw to
//                                  $TELEQUILL_ROOT/child-report.txt
//   ipc_window_peer child-killed   the same up to disabling the dialog, then
//                                  is killed (SIGKILL) before it enables the
//                                  dialog again or posts anything
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "test_dialog.h"
#include "win/kernel.h"
#include "win/text.h"
#include "win/user.h"

namespace {

std::u16string title;
std::u16string lookedForOnClose;

INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetWindowTextW(dialog, title.c_str());
    return TRUE;
  }
  if (message == WM_CLOSE) {
    const bool found = !lookedForOnClose.empty() && FindWindowW(nullptr, lookedForOnClose.c_str()) != nullptr;
    EndDialog(dialog, found ? ipctest::kClosedAfterFindingResult : ipctest::kClosedResult);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == ipctest::kBusyThenExit) {
    Sleep(500);  // questions from other processes wait meanwhile
    std::exit(ipctest::kBusyExitStatus);
  }
  if (message == WM_COMMAND && LOWORD(wParam) == ipctest::kFinish) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

int ShowDialog(const char* text, const char* other = "") {
  title = tq::Utf8ToUtf16(text);
  lookedForOnClose = tq::Utf8ToUtf16(other);
  ipctest::RegisterDialog();
  const INT_PTR result = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(ipctest::kDialog), nullptr, DialogProc, 0);
  return static_cast<int>(result);
}

const char* YesNo(bool value) { return value ? "yes" : "no"; }

// Written under a temporary name and renamed, so that the test reads it whole.
void Report(const std::string& text) {
  const char* root = std::getenv("TELEQUILL_ROOT");
  const std::string path = std::string(root != nullptr ? root : ".") + "/child-report.txt";
  {
    std::ofstream out(path + ".new", std::ios::trunc);
    out << text;
  }
  std::rename((path + ".new").c_str(), path.c_str());
}

int ActAsChild(int argc, char** argv, bool killed) {
  std::string report;
  for (int i = 2; i < argc; ++i) report += std::string("arg ") + argv[i] + "\n";
  const HWND starter = GetForegroundWindow();
  if (starter == nullptr) {
    Report(report + "foreground none\n");
    return 1;
  }
  char16_t text[128] = {};
  GetWindowTextW(starter, text, 128);
  report += "title " + tq::Utf16ToUtf8(text) + "\n";
  report += std::string("control 1008 ") + YesNo(GetDlgItem(starter, ipctest::kList) != nullptr) + "\n";
  report += std::string("control 4242 ") + YesNo(GetDlgItem(starter, ipctest::kMissingControl) != nullptr) + "\n";
  EnableWindow(starter, FALSE);
  report += std::string("enabled after disabling ") + YesNo(IsWindowEnabled(starter) != FALSE) + "\n";
  Report(report);
  if (killed) raise(SIGKILL);
  return PostMessageW(starter, WM_COMMAND, ipctest::kImportDone, 0) ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "dialog" && argc == 3) return ShowDialog(argv[2]);
  if (mode == "dialog" && argc == 4) return ShowDialog(argv[2], argv[3]);
  if (mode == "child" || mode == "child-killed") return ActAsChild(argc, argv, mode == "child-killed");
  std::fprintf(stderr, "usage: ipc_window_peer dialog TITLE [OTHER] | child [ARG...] | child-killed\n");
  return 64;
}
