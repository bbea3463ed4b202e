// A person at the keyboard, in process: keys go to the Qt widgets as the
// window system would deliver them, and the layer's dialogs do the rest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "person.h"
#include "sample_dialog.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/user_input.h"

namespace {

class Keyboard : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("TELEQUILL_SCRIPT");
    ASSERT_TRUE(tq::ui::UseFace("qt"));
    sample::RegisterSampleResources();
    sample::TheRecord() = {};
  }
  void TearDown() override {
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
  static INT_PTR RunMain() {
    return DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr, sample::MainDialogProc, 0);
  }
};

TEST_F(Keyboard, TypeTabAndEnter) {
  int tabbedTo = 0;
  int tabbedBack = 0;
  Person person({
      [] { QTest::keyClicks(Focused(), "1a2"); return true; },  // the filter drops the letter with a beep
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },
      [&] {
        tabbedTo = GetDlgCtrlID(GetFocus());
        QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ShiftModifier);
        return true;
      },
      [&] {
        tabbedBack = GetDlgCtrlID(GetFocus());
        QTest::keyClick(Focused(), Qt::Key_Return);  // the default button, OK
        return true;
      },
  });
  EXPECT_EQ(RunMain(), IDOK);
  EXPECT_EQ(person.Done(), 4u);
  ASSERT_FALSE(sample::TheRecord().numberTexts.empty());
  EXPECT_EQ(sample::TheRecord().numberTexts.back(), u"12");
  EXPECT_EQ(sample::TheRecord().beeps, 1);
  EXPECT_EQ(tabbedTo, sample::kNames) << "Tab goes to the next tab stop of the template";
  EXPECT_EQ(tabbedBack, sample::kNumber);
}

TEST_F(Keyboard, MnemonicOpensTheNestedDialogAndEscapeCancels) {
  std::u16string caption;
  bool ownerDisabled = false;
  Person person({
      [] { QTest::keyClick(Focused(), Qt::Key_D, Qt::AltModifier); return true; },  // "&Détails..."
      [&] {
        if (tq::ui::TemplateId(tq::ui::ActiveModalWindow()) != sample::kDetailsDialog) return false;
        char16_t text[32] = {};
        GetWindowTextW(tq::ui::ActiveModalWindow(), text, 32);
        caption = text;
        // The layer disables the owner; its widgets keep their look.
        QWidget* owner = QApplication::activeModalWidget()->parentWidget();
        ownerDisabled = owner != nullptr && owner->isEnabled() &&
                        !IsWindowEnabled(GetParent(tq::ui::ActiveModalWindow()));
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(RunMain(), IDCANCEL);
  EXPECT_EQ(person.Done(), 3u);
  EXPECT_EQ(caption, u"Détails");
  EXPECT_TRUE(ownerDisabled) << "the owner of a modal dialog is disabled";
  EXPECT_TRUE(sample::TheRecord().ownerEnabledAfterDetails);
}

TEST_F(Keyboard, ArrowsMoveThroughTheRadioGroupAndCheck) {
  int focused = 0;
  bool fastChecked = false;
  bool standardChecked = true;
  Person person({
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },  // the group's tab stop, "Fine"
      [] { QTest::keyClick(Focused(), Qt::Key_Down); return true; },
      [] { QTest::keyClick(Focused(), Qt::Key_Down); return true; },
      [&] {
        const HWND dialog = tq::ui::ActiveModalWindow();
        focused = GetDlgCtrlID(GetFocus());
        fastChecked = IsDlgButtonChecked(dialog, sample::kFast) == BST_CHECKED;
        standardChecked = IsDlgButtonChecked(dialog, sample::kStandard) == BST_CHECKED;
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
  });
  EXPECT_EQ(RunMain(), IDCANCEL);
  EXPECT_EQ(focused, sample::kFast);
  EXPECT_TRUE(fastChecked);
  EXPECT_FALSE(standardChecked);
}

TEST_F(Keyboard, ShiftSelectsARangeAndDeleteReachesTheDialog) {
  std::vector<int> selected;
  Person person({
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },
      [] { QTest::keyClick(Focused(), Qt::Key_Home); return true; },
      [] { QTest::keyClick(Focused(), Qt::Key_Down, Qt::ShiftModifier); return true; },
      [&] {
        selected = tq::ui::SelectedItems(GetDlgItem(tq::ui::ActiveModalWindow(), sample::kNames));
        QTest::keyClick(Focused(), Qt::Key_Delete);
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(RunMain(), IDCANCEL);
  EXPECT_EQ(selected, (std::vector<int>{0, 1}));
  EXPECT_EQ(sample::TheRecord().deleteKeys, 1);
}

}  // namespace

namespace {

// The list's keys go to the layer as the dialog manager's list takes them:
// Home selects the first line (it used to mark it without selecting it),
// End the last, Shift+Up selects from the anchor, PgUp pages.
TEST_F(Keyboard, ListKeysSelectTheLinesTheyReach) {
  std::vector<std::vector<int>> selections;
  const auto record = [&selections] { selections.push_back(tq::ui::SelectedItems(GetFocus())); };
  Person person({
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },
      [] { QTest::keyClick(Focused(), Qt::Key_Home); return true; },
      [&] { record(); QTest::keyClick(Focused(), Qt::Key_End); return true; },
      [&] { record(); QTest::keyClick(Focused(), Qt::Key_Up, Qt::ShiftModifier); return true; },
      [&] { record(); QTest::keyClick(Focused(), Qt::Key_PageUp); return true; },
      [&] { record(); QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  RunMain();
  EXPECT_EQ(person.Done(), 6u);
  ASSERT_EQ(selections.size(), 4u);
  EXPECT_EQ(selections[0], std::vector<int>{0});
  EXPECT_EQ(selections[1], std::vector<int>{7});
  EXPECT_EQ(selections[2], (std::vector<int>{6, 7}));
  ASSERT_EQ(selections[3].size(), 1u);
  EXPECT_LT(selections[3][0], 6);
}

}  // namespace
