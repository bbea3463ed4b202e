// Windows of other processes: the WinExec handshake through a dialog's
// modal loop, FindWindowW across processes, peers that died and sockets
// that lie about a live process. Every wait is bounded; peers are stopped
// by their own process id.
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "ipc/ipc.h"
#include "peer_process.h"
#include "peers.h"
#include "test_dialog.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/process.h"
#include "win/text.h"
#include "win/user.h"

namespace {

using namespace std::chrono_literals;
using ipctest::PeerProcess;

class OtherProcesses : public tq::testing::TempRoot {
 protected:
  void TearDown() override {
    tq::ipc::StopWindowListener();
    TempRoot::TearDown();
  }
  std::string Face(const std::string& script) { return ipctest::ScriptFace(path("peer-script.txt"), script); }
  std::filesystem::path SocketOf(pid_t pid) { return root() / "run" / "windows" / std::to_string(pid); }
};

// What the test process's own dialog saw of the handshake.
struct Seen {
  UINT started = 0;
  bool commandArrived = false;
  bool disabledWhenItArrived = false;
};
Seen seen;

INT_PTR StarterProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return message == WM_INITDIALOG;
  if (LOWORD(wParam) == ipctest::kImport) {
    // As the import button does: start the program and return at once.
    seen.started = WinExec("ipc_window_peer.EXE child DB153012.TMP", SW_SHOW);
    return TRUE;
  }
  if (LOWORD(wParam) == ipctest::kImportDone) {
    seen.commandArrived = true;
    seen.disabledWhenItArrived = !IsWindowEnabled(dialog);
    EnableWindow(dialog, TRUE);
    EndDialog(dialog, ipctest::kImportDone);
    return TRUE;
  }
  return FALSE;
}

TEST_F(OtherProcesses, ChildStartedByWinExecWorksAgainstTheStartingDialog) {
  seen = {};
  ipctest::RegisterDialog();
  ASSERT_TRUE(tq::ui::UseFace(ipctest::ScriptFace(path("script.txt"), "click 1018\nwait-command 1022 10\n")));
  ASSERT_TRUE(tq::ipc::StartWindowListener());  // the first window starts it only once per process

  const INT_PTR result = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(ipctest::kDialog), nullptr, StarterProc, 0);

  EXPECT_GT(seen.started, 31u);
  EXPECT_EQ(result, ipctest::kImportDone);
  EXPECT_TRUE(seen.commandArrived);
  EXPECT_TRUE(seen.disabledWhenItArrived);
  EXPECT_EQ(ipctest::ChildReport(root(), 10s),
            "arg DB153012.TMP\n"
            "title Destinataire du fax\n"
            "control 1008 yes\n"
            "control 4242 no\n"
            "enabled after disabling no\n");
}

// A started program killed while it holds its owner disabled: the owner is
// enabled again when the program has ended, and is the active window.
constexpr int kGivenBack = 1023;
struct Abandoned {
  bool disabled = false;
  bool enabledAgain = false;
  bool activeWhenEnabled = false;
} abandoned;

INT_PTR AbandonedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_ENABLE) {
    if (wParam == FALSE) abandoned.disabled = true;
    // Posted, so that the dialog is asked whether it is active once the
    // layer has finished giving it back.
    if (wParam != FALSE && abandoned.disabled) PostMessageW(dialog, WM_COMMAND, kGivenBack, 0);
    return FALSE;
  }
  if (message != WM_COMMAND) return message == WM_INITDIALOG;
  if (LOWORD(wParam) == ipctest::kImport) {
    seen.started = WinExec("ipc_window_peer.EXE child-killed", SW_SHOW);
    return TRUE;
  }
  if (LOWORD(wParam) == kGivenBack) {
    abandoned.enabledAgain = IsWindowEnabled(dialog) != FALSE;
    abandoned.activeWhenEnabled = GetActiveWindow() == dialog;
    EndDialog(dialog, kGivenBack);
    return TRUE;
  }
  return FALSE;
}

TEST_F(OtherProcesses, OwnerLeftDisabledByAKilledProgramIsGivenBack) {
  seen = {};
  abandoned = {};
  ipctest::RegisterDialog();
  ASSERT_TRUE(tq::ui::UseFace(ipctest::ScriptFace(path("script.txt"), "click 1018\nwait-command 1023 10\n")));
  ASSERT_TRUE(tq::ipc::StartWindowListener());

  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(ipctest::kDialog), nullptr, AbandonedProc, 0), kGivenBack);
  EXPECT_GT(seen.started, 31u);
  EXPECT_TRUE(abandoned.disabled);
  EXPECT_TRUE(abandoned.enabledAgain);
  EXPECT_TRUE(abandoned.activeWhenEnabled);
  EXPECT_EQ(ipctest::ChildReport(root(), 10s),
            "title Destinataire du fax\n"
            "control 1008 yes\n"
            "control 4242 no\n"
            "enabled after disabling no\n");
}

TEST_F(OtherProcesses, FindWindowTakesTheExactTitleAndTheProxyAnswers) {
  PeerProcess peer({"dialog", "Hôte de test"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  const HWND host = ipctest::WaitForWindow(u"Hôte de test", 10s);
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(FindWindowW(nullptr, u"Hôte de test"), host) << "one window, one handle";
  EXPECT_EQ(FindWindowW(nullptr, u"Hôte de tes"), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, u"hôte de test"), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, u"Hôte de test "), nullptr);

  char16_t text[64] = {};
  EXPECT_EQ(GetWindowTextW(host, text, 64), 12);
  EXPECT_EQ(std::u16string(text), u"Hôte de test");
  EXPECT_EQ(GetWindowTextW(host, text, 5), 4) << "cut to the buffer as Win32 does";
  EXPECT_EQ(std::u16string(text), u"Hôte");

  EXPECT_TRUE(IsWindowVisible(host));
  EXPECT_TRUE(ShowWindow(host, SW_HIDE)) << "it was visible";
  EXPECT_FALSE(IsWindowVisible(host));
  EXPECT_FALSE(ShowWindow(host, SW_SHOWNORMAL)) << "it was hidden";
  EXPECT_TRUE(IsWindowVisible(host));
  EXPECT_TRUE(SetForegroundWindow(host));

  EXPECT_NE(GetDlgItem(host, ipctest::kList), nullptr);
  EXPECT_EQ(GetDlgItem(host, ipctest::kMissingControl), nullptr);

  EXPECT_TRUE(std::filesystem::exists(SocketOf(peer.pid()))) << "its first window made it listen";
  SendMessageW(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(peer.Wait(10s), ipctest::kClosedResult);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_FALSE(std::filesystem::exists(SocketOf(peer.pid()))) << "it stopped listening at exit";
}

TEST_F(OtherProcesses, PostedCommandReachesTheOtherDialogsModalLoop) {
  PeerProcess peer({"dialog", "Attente"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  const HWND waiting = ipctest::WaitForWindow(u"Attente", 10s);
  ASSERT_NE(waiting, nullptr);
  EXPECT_FALSE(EnableWindow(waiting, FALSE)) << "it was enabled";
  EXPECT_FALSE(IsWindowEnabled(waiting));
  EXPECT_TRUE(EnableWindow(waiting, TRUE)) << "it was disabled";
  EXPECT_TRUE(PostMessageW(waiting, WM_COMMAND, ipctest::kFinish, 0));
  EXPECT_EQ(peer.Wait(10s), 0) << "the script's wait-command saw the command handled";
}

// The peer's dialog, sent WM_CLOSE from our dialog, asks about our windows
// before it answers: each windows' thread waits for the other's.
HWND closingPeer = nullptr;
struct CloseSeen {
  LRESULT result = -1;
  DWORD error = 0;
} closeSeen;

INT_PTR CloserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return message == WM_INITDIALOG;
  if (LOWORD(wParam) != ipctest::kImport) return FALSE;
  SetLastError(0);
  closeSeen.result = SendMessageW(closingPeer, WM_CLOSE, 0, 0);
  closeSeen.error = GetLastError();
  EndDialog(dialog, IDOK);
  return TRUE;
}

TEST_F(OtherProcesses, ClosingAPeerThatAsksBackAboutTheSendersWindows) {
  closeSeen = {};
  ipctest::RegisterDialog();
  PeerProcess peer({"dialog", "Fermeture", "Destinataire du fax"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  closingPeer = ipctest::WaitForWindow(u"Fermeture", 10s);
  ASSERT_NE(closingPeer, nullptr);
  ASSERT_TRUE(tq::ui::UseFace(ipctest::ScriptFace(path("script.txt"), "click 1018\n")));
  ASSERT_TRUE(tq::ipc::StartWindowListener());

  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(ipctest::kDialog), nullptr, CloserProc, 0), IDOK);
  EXPECT_EQ(closeSeen.error, 0u) << "the WM_CLOSE was answered";
  EXPECT_EQ(peer.Wait(10s), ipctest::kClosedAfterFindingResult) << "the peer found our dialog while closing";
}

TEST_F(OtherProcesses, PeerThatDiedAnswersAsABadHandle) {
  PeerProcess peer({"dialog", "Pair mort"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  const HWND gone = ipctest::WaitForWindow(u"Pair mort", 10s);
  ASSERT_NE(gone, nullptr);
  const HWND list = GetDlgItem(gone, ipctest::kList);
  ASSERT_NE(list, nullptr);
  peer.Kill();
  ASSERT_TRUE(std::filesystem::exists(SocketOf(peer.pid()))) << "a killed process leaves its socket";

  EXPECT_FALSE(IsWindow(gone));
  EXPECT_FALSE(IsWindow(list));
  char16_t text[16] = {u'x'};
  EXPECT_EQ(GetWindowTextW(gone, text, 16), 0);
  EXPECT_EQ(text[0], u'\0');
  EXPECT_FALSE(IsWindowVisible(gone));
  SetLastError(0);
  EXPECT_FALSE(EnableWindow(gone, FALSE));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(ShowWindow(gone, SW_SHOW));
  EXPECT_FALSE(SetForegroundWindow(gone));
  EXPECT_FALSE(PostMessageW(gone, WM_COMMAND, ipctest::kImportDone, 0));
  EXPECT_EQ(SendMessageW(gone, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(GetDlgItem(gone, ipctest::kList), nullptr);

  EXPECT_EQ(FindWindowW(nullptr, u"Pair mort"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(SocketOf(peer.pid()))) << "the stale socket is removed";
}

// A socket under a process id: bound, and listening or not.
int SocketAt(const std::filesystem::path& where, bool listening) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, where.c_str(), sizeof address.sun_path - 1);
  EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << where;
  if (listening) listen(fd, 4);
  return fd;
}

TEST_F(OtherProcesses, StaleSilentAndGarbledSocketsAreSkipped) {
  const std::filesystem::path folder = tq::ipc::SocketFolder();
  ASSERT_FALSE(folder.empty());

  // A process that ended: nobody listens on its socket any more.
  pid_t ended = 0;
  {
    PeerProcess quick({});
    ASSERT_EQ(quick.Wait(10s), 64);
    ended = quick.pid();
  }
  close(SocketAt(folder / std::to_string(ended), true));
  // A live process (a peer that sleeps in its dialog) answering garbage:
  // its real socket is replaced by one whose answers are not ours.
  PeerProcess garbled({"dialog", "Brouillé"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  ASSERT_NE(ipctest::WaitForWindow(u"Brouillé", 10s), nullptr);
  std::filesystem::remove(folder / std::to_string(garbled.pid()));
  const int liar = SocketAt(folder / std::to_string(garbled.pid()), true);
  fcntl(liar, F_SETFL, O_NONBLOCK);
  std::atomic<bool> stop{false};
  std::thread answering([&] {
    while (!stop) {
      const int connection = accept4(liar, nullptr, nullptr, SOCK_NONBLOCK);
      if (connection < 0) {
        std::this_thread::sleep_for(10ms);
        continue;
      }
      const char junk[] = "TQWa\xff\xff\xff\xff not an answer";
      [[maybe_unused]] ssize_t n = send(connection, junk, sizeof junk, MSG_NOSIGNAL);
      close(connection);
    }
  });

  // A live process (our parent) whose socket takes connections but never
  // answers: the question to it times out.
  const int silent = SocketAt(folder / std::to_string(getppid()), true);
  // Names that are not process ids stay alone.
  tq::testing::WriteText(folder / "notes.txt", "");

  EXPECT_EQ(FindWindowW(nullptr, u"Brouillé"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder / std::to_string(ended)));
  EXPECT_TRUE(std::filesystem::exists(folder / std::to_string(getppid()))) << "its process still lives";
  EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt"));

  stop = true;
  answering.join();
  close(liar);
  close(silent);
  garbled.Kill();
}

}  // namespace

namespace {

TEST_F(OtherProcesses, HandedForegroundThatIsGoneGivesNone) {
  PeerProcess starter({"dialog", "Départ"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  ASSERT_NE(ipctest::WaitForWindow(u"Départ", 10s), nullptr);
  const std::string live = std::to_string(starter.pid());
  for (const std::string& value : {live + ":0x7fff0:0" /* no such window */,
                                   live + ":0x7fff0:1234" /* another process's token */,
                                   std::to_string(getpid()) + ":0x10010" /* a process that does not listen */,
                                   std::string("garbage")}) {
    std::filesystem::remove(path("child-report.txt"));
    PeerProcess child({"child"}, {"TELEQUILL_FOREGROUND=" + value});
    EXPECT_EQ(child.Wait(10s), 1) << value;
    EXPECT_EQ(tq::testing::ReadText(path("child-report.txt")), "foreground none\n") << value;
  }
  PostMessageW(FindWindowW(nullptr, u"Départ"), WM_COMMAND, ipctest::kFinish, 0);
  EXPECT_EQ(starter.Wait(10s), 0);
}

}  // namespace

namespace {

TEST_F(OtherProcesses, ExitWhileAQuestionWaitsForTheWindowsThread) {
  // The question reaches the listener while the windows' thread is busy;
  // the process then exits from inside its dialog. Stopping the listener at
  // exit must let the waiting question finish instead of hanging the exit.
  PeerProcess peer({"dialog", "Occupé"}, {"TELEQUILL_UI=" + Face("wait-command 4321 20\n")});
  const HWND busy = ipctest::WaitForWindow(u"Occupé", 10s);
  ASSERT_NE(busy, nullptr);
  ASSERT_TRUE(PostMessageW(busy, WM_COMMAND, ipctest::kBusyThenExit, 0));
  IsWindowVisible(busy);  // answered or not: it returns
  EXPECT_EQ(peer.Wait(10s), ipctest::kBusyExitStatus);
  EXPECT_FALSE(IsWindow(busy));
  EXPECT_FALSE(std::filesystem::exists(SocketOf(peer.pid())));
}

}  // namespace
