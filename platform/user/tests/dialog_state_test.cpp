// A dialog's state: attached at opening, found by its type, freed when the
// dialog is destroyed, never handed out as another type; a state the
// caller owns is only borrowed.
#include "win/dialog_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "testing/temp_root.h"
#include "win/face.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq {
namespace {

constexpr int kStateDialog = 950;

struct Counted {
  explicit Counted(int* alive) : alive(alive) { ++*alive; }
  ~Counted() { --*alive; }
  int* alive;
  int commands = 0;
};

struct Other {
  int value = 0;
};

INT_PTR CountingProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    AttachDialogState(dialog, std::make_unique<Counted>(reinterpret_cast<int*>(lParam)));
    return TRUE;
  }
  return WithDialogState<Counted>(dialog, message, [&](Counted& state) -> INT_PTR {
    if (message != WM_COMMAND) return FALSE;
    ++state.commands;
    return TRUE;
  });
}

// Owns its state but never frees it: the window layer does.
INT_PTR ForgetfulProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) AttachDialogState(dialog, std::make_unique<Counted>(reinterpret_cast<int*>(lParam)));
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Borrows the caller's counter.
INT_PTR BorrowingProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    AttachBorrowedDialogState(dialog, *reinterpret_cast<Other*>(lParam));
    return TRUE;
  }
  return WithDialogState<Other>(dialog, message, [&](Other& state) -> INT_PTR {
    if (message != WM_COMMAND) return FALSE;
    ++state.value;
    return TRUE;
  });
}

class DialogState : public testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ASSERT_TRUE(ui::UseFace("headless"));
    static const res::DialogTemplate dialogs[] = {
        {kStateDialog, u"Essai", DS_MODALFRAME | WS_CAPTION, 0, 0, 0, 120, 130, {}}};
    static const res::ResourceScript script{dialogs, {}, {}};
    ASSERT_TRUE(res::RegisterResources(nullptr, script));
  }
  static HWND Open(DLGPROC proc, LPARAM parameter = 0) {
    return CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kStateDialog), nullptr, proc, parameter);
  }
};

TEST_F(DialogState, LivesFromOpeningToDestruction) {
  int alive = 0;
  HWND dialog = Open(CountingProc, reinterpret_cast<LPARAM>(&alive));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(alive, 1);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_NE(DialogStateOf<Counted>(dialog), nullptr);
  EXPECT_EQ(DialogStateOf<Counted>(dialog)->commands, 2);
  DestroyWindow(dialog);
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(DialogStateOf<Counted>(dialog), nullptr);

  // A dialog that leaves its state behind loses it with the window.
  dialog = Open(ForgetfulProc, reinterpret_cast<LPARAM>(&alive));
  EXPECT_EQ(alive, 1);
  DestroyWindow(dialog);
  EXPECT_EQ(alive, 0);
}

TEST_F(DialogState, IsFoundOnlyAsItsOwnType) {
  int alive = 0;
  HWND dialog = Open(CountingProc, reinterpret_cast<LPARAM>(&alive));
  EXPECT_EQ(DialogStateOf<Other>(dialog), nullptr);
  // Attaching another state frees the one before.
  AttachDialogState(dialog, std::make_unique<Other>(Other{7}));
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(DialogStateOf<Counted>(dialog), nullptr);
  ASSERT_NE(DialogStateOf<Other>(dialog), nullptr);
  EXPECT_EQ(DialogStateOf<Other>(dialog)->value, 7);
  FreeDialogState(dialog);
  EXPECT_EQ(DialogStateOf<Other>(dialog), nullptr);
  // The application's own slot is not the state's.
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0);
  DestroyWindow(dialog);
  // No window, no state: what is attached is freed at once.
  AttachDialogState(dialog, std::make_unique<Counted>(&alive));
  EXPECT_EQ(alive, 0);
}

TEST_F(DialogState, ABorrowedStateOutlivesTheDialog) {
  Other caller{40};
  HWND dialog = Open(BorrowingProc, reinterpret_cast<LPARAM>(&caller));
  ASSERT_NE(dialog, nullptr);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(DialogStateOf<Other>(dialog), &caller);
  DestroyWindow(dialog);
  EXPECT_EQ(caller.value, 41);
}

TEST_F(DialogState, ADialogWithoutStateIgnoresItsMessages) {
  HWND dialog = Open([](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
    return message == WM_INITDIALOG ? TRUE : WithDialogState<Other>(nullptr, message, [](Other&) { return TRUE; });
  });
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogStateOf<Other>(dialog), nullptr);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace tq
