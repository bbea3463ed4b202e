// What the dialog manager does for a person between the dialog's own
// steps: the focus given back after a message box or a nested dialog, the
// default push button following the focus, and a list scrolled to the
// line the program or a person selects. Through the headless face, which
// answers boxes with their default and cancels dialogs.
#include "script_fixture.h"

namespace {

struct Seen {
  bool detailsDefault = false;  // "Détails..." looked default with the focus
  bool okDefault = false;       // ... and OK did not
  bool okDefaultAgain = false;  // OK looked default once the focus left the buttons
  LRESULT topAfterLast = -1;
  LRESULT topAfterFirst = -1;
  LRESULT topAfterCurSel = -1;
};
Seen seen;

bool LooksDefault(HWND dialog, int id) {
  return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// The sample dialog with the focus put in the number field and `command`
// posted, so that the box or nested dialog comes up while typing there.
template <int command>
INT_PTR FocusInNumberThen(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const INT_PTR handled = sample::MainDialogProc(dialog, message, wParam, lParam);
  if (message != WM_INITDIALOG) return handled;
  SetFocus(GetDlgItem(dialog, sample::kNumber));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
  return FALSE;
}

INT_PTR DefaultButtonAndScrolling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const INT_PTR handled = sample::MainDialogProc(dialog, message, wParam, lParam);
  if (message != WM_INITDIALOG) return handled;
  SetFocus(GetDlgItem(dialog, sample::kDetails));
  seen.detailsDefault = LooksDefault(dialog, sample::kDetails);
  seen.okDefault = LooksDefault(dialog, IDOK);
  SetFocus(GetDlgItem(dialog, sample::kNumber));
  seen.okDefaultAgain = LooksDefault(dialog, IDOK) && !LooksDefault(dialog, sample::kDetails);
  // Twenty lines in a list that shows nine.
  const HWND list = GetDlgItem(dialog, sample::kNames);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (char16_t name[] = u"nom A"; name[4] <= u'T'; ++name[4]) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageW(list, LB_SETSEL, TRUE, 19);
  seen.topAfterLast = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, LB_SETCARETINDEX, 2, 0);
  seen.topAfterFirst = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, LB_SETCARETINDEX, 5, 0);  // in view already: no scrolling
  seen.topAfterCurSel = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  return TRUE;
}

class DialogManager : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    ASSERT_TRUE(tq::ui::UseFace("headless"));
    seen = {};
  }
  static INT_PTR Run(DLGPROC proc) {
    return DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr, proc, 0);
  }
};

TEST_F(DialogManager, FocusComesBackAfterAMessageBox) {
  EXPECT_EQ(Run(FocusInNumberThen<sample::kWarn>), IDCANCEL);
  EXPECT_EQ(sample::TheRecord().boxAnswer, IDOK);
  EXPECT_EQ(sample::TheRecord().focusAfterBox, sample::kNumber);
}

TEST_F(DialogManager, FocusComesBackAfterANestedDialog) {
  EXPECT_EQ(Run(FocusInNumberThen<sample::kDetails>), IDCANCEL);
  EXPECT_TRUE(sample::TheRecord().ownerEnabledAfterDetails);
  EXPECT_EQ(sample::TheRecord().focusAfterDetails, sample::kNumber);
}

TEST_F(DialogManager, FocusComesBackToTheFirstTabStopWhenItsControlWentAway) {
  // The box comes up with the focus on "Détails...", disabled while it is up.
  static const auto proc = [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
    if (message == WM_COMMAND && LOWORD(wParam) == sample::kWarn) {
      SetFocus(GetDlgItem(dialog, sample::kDetails));
      EnableWindow(GetDlgItem(dialog, sample::kDetails), FALSE);
    }
    return FocusInNumberThen<sample::kWarn>(dialog, message, wParam, lParam);
  };
  EXPECT_EQ(Run(proc), IDCANCEL);
  EXPECT_EQ(sample::TheRecord().focusAfterBox, sample::kNumber);
}

TEST_F(DialogManager, TheFocusedPushButtonIsTheDefaultOne) {
  EXPECT_EQ(Run(DefaultButtonAndScrolling), IDCANCEL);
  EXPECT_TRUE(seen.detailsDefault);
  EXPECT_FALSE(seen.okDefault);
  EXPECT_TRUE(seen.okDefaultAgain);
}

TEST_F(DialogManager, SelectingALineScrollsItIntoView) {
  EXPECT_EQ(Run(DefaultButtonAndScrolling), IDCANCEL);
  EXPECT_EQ(seen.topAfterLast, 11) << "the 20th line is the last of nine shown";
  EXPECT_EQ(seen.topAfterFirst, 2);
  EXPECT_EQ(seen.topAfterCurSel, 2);
}

}  // namespace
