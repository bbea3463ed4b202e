// What this process answers about its own windows, asked directly.
#include <gtest/gtest.h>

#include "answers.h"
#include "remote_window.h"
#include "test_dialog.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/user.h"

namespace {

using tq::ipc::Answer;
using tq::ipc::Operation;
using tq::ipc::Request;
using tq::ipc::Respond;
using tq::ipc::Status;

constexpr std::uint64_t kToken = 0x5eed;

INT_PTR QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Nothing here waits for input: the dialog is modeless.
class QuietFace final : public tq::ui::Face {
 public:
  void ModalStarting(const char*, int, HWND) override {}
  void WaitForInput(const tq::ui::ModalWait& wait) override { tq::ui::WaitForQueue(wait.deadline); }
  void Wake() override {}
  int MessageBox(const tq::ui::MessageBoxCall& call) override { return call.defaultAnswer; }
  tq::ui::FileDialogAnswer FileDialog(const tq::ui::FileDialogCall&) override { return {}; }
  void Beep(UINT) override {}
  void Help(HWND, const std::u16string&, UINT, ULONG_PTR) override {}
};
QuietFace quietFace;

class Answers : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    tq::ui::SetFace(&quietFace);
    ipctest::RegisterDialog();
    dialog_ = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(ipctest::kDialog), nullptr, QuietProc, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(dialog_);
    tq::ui::SetFace(nullptr);
    TempRoot::TearDown();
  }
  Answer Ask(Operation operation, HWND window, std::uint32_t argument = 0, std::uint64_t token = kToken) {
    Request request;
    request.token = token;
    request.operation = operation;
    request.window = reinterpret_cast<std::uintptr_t>(window);
    request.argument = argument;
    return Respond(request, kToken);
  }
  HWND dialog_ = nullptr;
};

TEST_F(Answers, FindLooksForTheExactTitleOfATopLevelWindow) {
  Request find;
  find.operation = Operation::Find;
  find.text = u"Destinataire du fax";
  const Answer found = Respond(find, kToken);
  EXPECT_EQ(found.status, Status::Ok);
  EXPECT_EQ(found.token, kToken);
  EXPECT_EQ(found.value, static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(dialog_)));
  find.text = u"Destinataire";
  EXPECT_EQ(Respond(find, kToken).status, Status::NoWindow);
  find.text = u"Liste";  // a control's text is no top-level title
  EXPECT_EQ(Respond(find, kToken).status, Status::NoWindow);
}

TEST_F(Answers, WindowQuestionsNeedThisProcesssToken) {
  EXPECT_EQ(Ask(Operation::Alive, dialog_).status, Status::Ok);
  EXPECT_EQ(Ask(Operation::Alive, dialog_, 0, kToken + 1).status, Status::WrongProcess);
  EXPECT_EQ(Ask(Operation::Alive, dialog_, 0, 0).status, Status::WrongProcess);
  EXPECT_EQ(Ask(Operation::Hello, nullptr, 0, 0).status, Status::Ok);
}

TEST_F(Answers, ControlsStateAndDestroyedWindows) {
  EXPECT_EQ(Ask(Operation::HasControl, dialog_, ipctest::kList).value, 1);
  EXPECT_EQ(Ask(Operation::HasControl, dialog_, ipctest::kMissingControl).value, 0);
  EXPECT_EQ(Ask(Operation::Text, dialog_).text, u"Destinataire du fax");
  EXPECT_EQ(Ask(Operation::Enable, dialog_, 0).value, FALSE);
  EXPECT_FALSE(IsWindowEnabled(dialog_));
  EXPECT_EQ(Ask(Operation::Enabled, dialog_).value, FALSE);
  EXPECT_EQ(Ask(Operation::Enable, dialog_, 1).value, TRUE);
  EXPECT_EQ(Ask(Operation::Show, dialog_, 12).status, Status::Refused);

  const HWND list = GetDlgItem(dialog_, ipctest::kList);
  DestroyWindow(dialog_);
  EXPECT_EQ(Ask(Operation::Alive, dialog_).status, Status::NoWindow);
  EXPECT_EQ(Ask(Operation::Text, list).status, Status::NoWindow);
  EXPECT_EQ(Ask(Operation::Alive, nullptr).status, Status::NoWindow);
  dialog_ = nullptr;
}

TEST_F(Answers, OnlyMessagesWithoutPointersCross) {
  // WM_SETTEXT's lParam would be an address of the asking process.
  Request post;
  post.token = kToken;
  post.operation = Operation::Post;
  post.window = reinterpret_cast<std::uintptr_t>(dialog_);
  post.argument = WM_SETTEXT;
  post.lParam = 0x1234;
  EXPECT_EQ(Respond(post, kToken).status, Status::Refused);
  post.operation = Operation::Send;
  EXPECT_EQ(Respond(post, kToken).status, Status::Refused);
  post.operation = Operation::Post;
  post.argument = WM_COMMAND;
  post.wParam = ipctest::kImportDone;
  post.lParam = 0;
  EXPECT_EQ(Respond(post, kToken).value, TRUE);
}

TEST_F(Answers, ProxiesOfOtherProcessesAreNotPassedOn) {
  // Answering for a proxy would forward the question to yet another process.
  const HWND proxy = tq::ipc::ProxyFor(getpid() + 100000, 0x10010, 77);
  EXPECT_EQ(Ask(Operation::Alive, proxy).status, Status::NoWindow);
  EXPECT_EQ(Ask(Operation::Enable, proxy, 0).status, Status::NoWindow);
}

// A process that started this one asks it to bring its window forward when
// a person clicks the window it holds: the visible dialog comes, only for
// the process's own token, and a process with nothing shown says so.
TEST_F(Answers, RaiseActiveBringsTheVisibleWindowForward) {
  ShowWindow(dialog_, SW_SHOW);
  const HWND other = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(ipctest::kDialog), nullptr, QuietProc, 0);
  ShowWindow(other, SW_SHOW);
  SetForegroundWindow(other);
  ASSERT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(Ask(Operation::RaiseActive, nullptr, 0, 0).status, Status::WrongProcess);
  const Answer raised = Ask(Operation::RaiseActive, nullptr);
  EXPECT_EQ(raised.status, Status::Ok);
  EXPECT_EQ(raised.value, TRUE);
  EXPECT_EQ(GetActiveWindow(), dialog_);
  DestroyWindow(other);
  ShowWindow(dialog_, SW_HIDE);
  EXPECT_EQ(Ask(Operation::RaiseActive, nullptr).status, Status::NoWindow);
}

}  // namespace
