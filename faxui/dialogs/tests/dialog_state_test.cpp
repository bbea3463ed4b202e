// A dialog's state: attached at opening, found by its type, freed when the
// dialog is destroyed, and never handed out as another type.
#include "dialogs/dialog_state.h"

#include <memory>

#include "dialog_fixture.h"

namespace tq::faxui {
namespace {

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

class DialogState : public testing::DialogFixture {};

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
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0);
  DestroyWindow(dialog);
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
}  // namespace tq::faxui
