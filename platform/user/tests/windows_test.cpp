// Window-level behaviour: other threads, other processes' windows through
// the ipc hooks, help and keys, dialogs that end early, combo boxes.
#include <atomic>
#include <thread>

#include "script_fixture.h"
#include "win/foreign_window.h"
#include "win/resource.h"
#include "win/user_input.h"

namespace {

// A stand-in for a window of another process.
class FakePeer final : public tq::ui::ForeignWindow {
 public:
  bool alive = true;
  bool enabled = true;
  std::vector<std::pair<UINT, WPARAM>> posted;
  bool Alive() override { return alive; }
  bool HasControl(int id) override { return alive && id == 1001; }
  std::u16string Text() override { return alive ? u"Destinataire du fax" : u""; }
  bool IsVisible() override { return alive; }
  bool IsEnabled() override { return alive && enabled; }
  BOOL Enable(BOOL enable) override {
    if (!alive) return FALSE;
    const BOOL wasDisabled = enabled ? FALSE : TRUE;
    enabled = enable != 0;
    return wasDisabled;
  }
  BOOL Show(int) override { return alive; }
  BOOL SetForeground() override { return alive; }
  BOOL Post(UINT message, WPARAM wParam, LPARAM) override {
    if (!alive) return FALSE;
    posted.emplace_back(message, wParam);
    return TRUE;
  }
  LRESULT Send(UINT, WPARAM, LPARAM) override { return 0; }
};

std::shared_ptr<FakePeer> peer;
HWND peerHandle = nullptr;

const tq::res::ControlTemplate kComboControls[] = {
    {WC_COMBOBOXW, 301, u"", 10, 10, 100, 60, CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP},
    {WC_BUTTONW, IDOK, u"OK", 10, 30, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
};
const tq::res::DialogTemplate kComboDialogs[] = {
    {400, u"Vitesse", WS_POPUP | WS_CAPTION, 0, 0, 0, 120, 50, kComboControls},
};
const tq::res::ResourceScript kComboScript{kComboDialogs, {}, {}};
HINSTANCE ComboInstance() { return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5D0000)); }

std::vector<int> comboChanges;
DWORD helpPairs[] = {301, 15501, IDOK, 15502, 0, 0};
bool shiftSeen = false;

INT_PTR ComboProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      for (const char16_t* speed : {u"33600", u"14400", u"9600"}) {
        SendDlgItemMessageW(dialog, 301, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(speed));
      }
      SendDlgItemMessageW(dialog, 301, CB_SETCURSEL, 0, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == 301 && HIWORD(wParam) == CBN_SELCHANGE) {
        comboChanges.push_back(static_cast<int>(SendDlgItemMessageW(dialog, 301, CB_GETCURSEL, 0, 0)));
      }
      if (LOWORD(wParam) == IDOK) {
        shiftSeen = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      WinHelpW(static_cast<HWND>(info->hItemHandle), u"qlhelpn.HLP", HELP_WM_HELP,
               reinterpret_cast<ULONG_PTR>(helpPairs));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

INT_PTR EndsAtOnce(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) EndDialog(dialog, 42);
  return message == WM_INITDIALOG;
}

class WindowsTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    tq::res::RegisterResources(ComboInstance(), kComboScript);
    comboChanges.clear();
    peer = std::make_shared<FakePeer>();
    peerHandle = tq::ui::RegisterForeignWindow(peer);
  }
  void TearDown() override {
    tq::ui::UnregisterForeignWindow(peerHandle);
    tq::ui::SetForeignFinder(nullptr);
    tq::ui::HoldModifiers(false, false);
    ScriptTest::TearDown();
  }
};

}  // namespace

TEST_F(WindowsTest, ForeignWindowsAnswerThroughTheirProxy) {
  EXPECT_TRUE(IsWindow(peerHandle));
  HWND control = GetDlgItem(peerHandle, 1001);
  EXPECT_NE(control, nullptr);
  EXPECT_EQ(GetDlgItem(peerHandle, 1002), nullptr);
  char16_t title[64];
  EXPECT_EQ(GetWindowTextW(peerHandle, title, 64), 19);
  EXPECT_FALSE(EnableWindow(peerHandle, FALSE));
  EXPECT_FALSE(IsWindowEnabled(peerHandle));
  EXPECT_TRUE(EnableWindow(peerHandle, TRUE));
  EXPECT_TRUE(PostMessageW(peerHandle, WM_COMMAND, 1028, 0));
  EXPECT_EQ(peer->posted.size(), 1u);
  tq::ui::SetForeignFinder([](const std::u16string& wanted) {
    return wanted == u"Destinataire du fax" ? peerHandle : static_cast<HWND>(nullptr);
  });
  EXPECT_EQ(FindWindowW(nullptr, u"Destinataire du fax"), peerHandle);
  // A peer that died answers as a bad handle, never crashes.
  peer->alive = false;
  EXPECT_FALSE(IsWindow(peerHandle));
  EXPECT_FALSE(IsWindow(control));
  EXPECT_EQ(GetWindowTextW(peerHandle, title, 64), 0);
  SetLastError(0);
  EXPECT_FALSE(PostMessageW(peerHandle, WM_COMMAND, 1028, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(GetDlgItem(peerHandle, 1001), nullptr);
}

TEST_F(WindowsTest, ComboBoxHelpAndHeldKeys) {
  UseScript(
      "expect-lines 301 14400 33600 9600\n"
      "expect-text 301 14400\n"
      "select 301 2\n"
      "expect-text 301 9600\n"
      "key 301 f1\n"
      "hold shift\n"
      "click 1\n");
  EXPECT_EQ(DialogBoxParamW(ComboInstance(), MAKEINTRESOURCEW(400), nullptr, ComboProc, 0), IDOK);
  EXPECT_EQ(comboChanges, std::vector<int>{2});
  EXPECT_TRUE(shiftSeen);
  EXPECT_NE(Transcript().find("help \"qlhelpn.HLP\" wm_help 15501\n"), std::string::npos) << Transcript();
}

TEST_F(WindowsTest, DialogEndedDuringInitNeverWaits) {
  UseScript("");  // nothing to do: the dialog must not wait for input
  EXPECT_EQ(DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kDetailsDialog), nullptr, EndsAtOnce, 0), 42);
  EXPECT_EQ(Transcript(), "dialog 200 open \"Détails\"\ndialog 200 end 42\n");
}

TEST_F(WindowsTest, SendMessageFromAnotherThreadRunsOnTheWindowsThread) {
  UseScript("wait-command 1022 30\nexpect-text 1001 \"0123\"\nclick 1\n");
  std::thread worker([] {
    HWND dialog = nullptr;
    while ((dialog = tq::ui::ActiveModalDialog()) == nullptr) std::this_thread::yield();
    // Carried out by the dialog's own loop; the worker waits for it.
    SetDlgItemTextW(dialog, sample::kNumber, u"0123");
    char16_t text[16];
    GetDlgItemTextW(dialog, sample::kNumber, text, 16);
    if (std::u16string(text) == u"0123") PostMessageW(dialog, WM_COMMAND, sample::kImportDone, 0);
  });
  EXPECT_EQ(RunMain(), IDOK);
  worker.join();
  EXPECT_EQ(sample::TheRecord().posted, 1);
}

TEST_F(WindowsTest, DestroyingAnOwnerDestroysWhatItOwns) {
  ASSERT_TRUE(tq::ui::UseFace("headless"));
  HWND owner = CreateDialogParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr,
                                  sample::MainDialogProc, 0);
  HWND owned = CreateDialogParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kDetailsDialog), owner,
                                  sample::MainDialogProc, 0);
  ASSERT_TRUE(IsWindow(owned));
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_TRUE(DestroyWindow(owner));
  EXPECT_FALSE(IsWindow(owned));
  EXPECT_FALSE(KillTimer(owner, 1));
  EXPECT_EQ(SetTimer(owner, 1, 10, nullptr), 0u);
}

// The combo box's list is a list box: sorted inserts, searches and deletes
// answer as LB_ messages do, and the box's text follows the current item.
TEST_F(WindowsTest, ComboBoxItemsFollowTheListBoxRules) {
  HWND dialog = CreateDialogParamW(ComboInstance(), MAKEINTRESOURCEW(400), nullptr, ComboProc, 0);
  ASSERT_NE(dialog, nullptr);
  auto send = [&](UINT message, WPARAM wParam = 0, const char16_t* text = nullptr) {
    return SendDlgItemMessageW(dialog, 301, message, wParam, reinterpret_cast<LPARAM>(text));
  };
  auto shown = [&] {
    char16_t text[32] = {};
    GetDlgItemTextW(dialog, 301, text, 32);
    return std::u16string(text);
  };
  ASSERT_EQ(shown(), u"14400");                        // item 0 of 14400, 33600, 9600
  EXPECT_EQ(send(CB_ADDSTRING, 0, u"12000"), 0);       // sorted in before the current item
  EXPECT_EQ(send(CB_GETCURSEL), 1);
  EXPECT_EQ(shown(), u"14400");
  EXPECT_EQ(send(CB_INSERTSTRING, static_cast<WPARAM>(-1), u"2400"), 4);  // never sorted
  EXPECT_EQ(send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"9600"), 3);
  EXPECT_EQ(send(CB_FINDSTRING, 3, u"1"), 0);          // from after 3, wrapping round
  EXPECT_EQ(send(CB_GETLBTEXTLEN, 4), 4);
  EXPECT_EQ(send(CB_SETITEMDATA, static_cast<WPARAM>(-1), nullptr), CB_ERR);
  EXPECT_EQ(send(CB_SELECTSTRING, static_cast<WPARAM>(-1), u"33"), 2);
  EXPECT_EQ(shown(), u"33600");
  EXPECT_EQ(send(CB_DELETESTRING, 2), 4);              // the current item goes: no text, no selection
  EXPECT_EQ(send(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(shown(), u"");
  EXPECT_EQ(send(CB_SETCURSEL, 7), CB_ERR);
  EXPECT_EQ(send(CB_RESETCONTENT), CB_OKAY);
  EXPECT_EQ(send(CB_GETCOUNT), 0);
  DestroyWindow(dialog);
}
