// Controls of the tests' own dialog in the Qt face: a resource script's
// bitmap painted where the template puts its picture control, and a
// password edit that shows no text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QAbstractButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <vector>

#include "dialog_units.h"
#include "testing/temp_root.h"
#include "win/comdlg.h"
#include "win/face.h"
#include "win/foreign_window.h"
#include "win/resource.h"
#include "win/user_input.h"

namespace {

constexpr int kPictureDialog = 400;

std::vector<BYTE> RedPixels() {
  std::vector<BYTE> pixels;
  for (int i = 0; i < 16 * 8; ++i) pixels.insert(pixels.end(), {0x00, 0x00, 0xFF, 0x00});  // blue, green, red, unused
  return pixels;
}
const std::vector<BYTE> kRed = RedPixels();

const tq::res::ControlTemplate kControls[] = {
    {WC_STATICW, 401, u"#300", 20, 10, 20, 10, SS_BITMAP},
    {WC_EDITW, 402, u"", 45, 10, 40, 12, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, IDCANCEL, u"Fermer", 20, 30, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const tq::res::DialogTemplate kDialogs[] = {
    {kPictureDialog, u"Image", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 90, 50, kControls},
};
const tq::res::BitmapResource kBitmaps[] = {{300, 16, 8, kRed}};
const tq::res::ResourceScript kScript{kDialogs, {}, kBitmaps};

INT_PTR CloseOnCancel(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return EndDialog(dialog, IDCANCEL);
  return message == WM_INITDIALOG;
}

const auto kInstance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5D0000));

class QtControls : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tq::res::RegisterResources(kInstance, kScript);
  }
  static INT_PTR Run() {
    return DialogBoxParamW(kInstance, MAKEINTRESOURCEW(kPictureDialog), nullptr, CloseOnCancel, 0);
  }
  void TearDown() override {
    unsetenv("TELEQUILL_SCRIPT");
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
};

TEST_F(QtControls, TemplateBitmapIsPaintedAtItsControl) {
  const std::string shot = path("picture.png").string();
  tq::testing::WriteText(path("script.txt"), "shot " + shot + "\nclick 2\n");
  setenv("TELEQUILL_SCRIPT", path("script.txt").string().c_str(), 1);
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  EXPECT_EQ(Run(), IDCANCEL);
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  const QRect at = tq::ui::qt::DialogUnitsToPixels(tq::ui::qt::BaseUnitsOf(tq::ui::qt::DialogFont(nullptr, 0)), 20, 10, 20, 10);
  EXPECT_EQ(QColor(image.pixel(at.topLeft() + QPoint(2, 2))), QColor(Qt::red));
  EXPECT_EQ(QColor(image.pixel(at.topLeft() + QPoint(14, 6))), QColor(Qt::red));
  EXPECT_NE(QColor(image.pixel(at.topLeft() + QPoint(17, 2))), QColor(Qt::red)) << "the bitmap keeps its own size";
}

TEST_F(QtControls, PasswordEditHidesWhatIsTyped) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  QString shown;
  std::u16string held;
  int step = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || QApplication::activeWindow() != modal) return;
    auto* edit = modal->findChild<QLineEdit*>();
    const HWND dialog = tq::ui::ActiveModalWindow();
    if (step == 0) {
      edit->setFocus(Qt::MouseFocusReason);
      QTest::keyClicks(edit, "secret");
    } else if (step == 1) {
      shown = edit->displayText();
      char16_t text[16] = {};
      GetDlgItemTextW(dialog, 402, text, 16);
      held = text;
      QTest::keyClick(edit, Qt::Key_Escape);
    } else if (step > 2000) {
      EndDialog(dialog, 99);
    }
    ++step;
  });
  ticks.start(0);
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(held, u"secret");
  EXPECT_EQ(shown.size(), 6);
  EXPECT_FALSE(shown.contains(QStringLiteral("secret")));
}

// A person at a message box: Enter takes the default button, Escape the
// Cancel button, and the box carries Win32's buttons.
TEST_F(QtControls, MessageBoxKeysAndButtons) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  std::vector<QStringList> buttons;
  QTimer ticks;
  Qt::Key key = Qt::Key_Return;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || QApplication::activeWindow() != box) return;
    QStringList labels;
    for (QAbstractButton* button : box->buttons()) labels << button->text();
    buttons.push_back(labels);
    QTest::keyClick(box, key);
  });
  ticks.start(0);
  EXPECT_EQ(MessageBoxW(nullptr, u"Remplacer ?", u"Carnet", MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION), IDNO);
  key = Qt::Key_Escape;
  EXPECT_EQ(MessageBoxW(nullptr, u"Supprimer ?", u"Carnet", MB_OKCANCEL | MB_ICONWARNING), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"Fini.", nullptr, MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL), IDOK);
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0].size(), 2);
  EXPECT_TRUE(buttons[0].contains("&Oui") && buttons[0].contains("&Non"));
  EXPECT_TRUE(buttons[1].contains("OK") && buttons[1].contains("Annuler"));
  EXPECT_EQ(buttons[2], QStringList{"OK"});
}

// A script's answer to a file dialog goes through Qt's file dialog, with
// the caller's filters, and comes back as the layer checks it.
TEST_F(QtControls, ScriptAnswersTheFileDialog) {
  const std::string chosen = path("annuaire.AFD").string();
  tq::testing::WriteText(chosen, "");
  tq::testing::WriteText(path("script.txt"), "file " + chosen + "\nfile-cancel\n");
  setenv("TELEQUILL_SCRIPT", path("script.txt").string().c_str(), 1);
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  char16_t file[260] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.lpstrFilter = u"Annuaires (*.AFD)\0*.AFD\0Tous les fichiers\0*.*\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = 260;
  ofn.Flags = OFN_FILEMUSTEXIST;
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(std::u16string(file), QString::fromStdString(chosen).toStdU16String());
  EXPECT_FALSE(GetSaveFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

// A dialog that a program it started disables (as the Import application
// does while it runs) looks disabled, takes no click, and a click on it asks
// that program to come forward; enabled again it looks and works as before.
int raisedPrograms = 0;

TEST_F(QtControls, DialogHeldByStartedProgramLooksDisabledAndRaisesIt) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  raisedPrograms = 0;
  bool programRuns = true;
  static bool* runs = nullptr;
  runs = &programRuns;
  tq::ui::SetStartedProgramHooks({[] { return *runs; }, [] { ++raisedPrograms; }});
  bool lookedDisabled = false, pressedWhileHeld = false, lookedEnabledAfter = false;
  int step = 0, waited = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    const HWND dialog = tq::ui::ActiveModalWindow();
    if (modal == nullptr || dialog == nullptr) return;
    auto* close = modal->findChild<QPushButton*>();
    if (close == nullptr) return;
    // The program's calls come from another thread, whose handing over
    // wakes the dialog's modal loop: a posted message does the same here.
    if (step == 0) {
      EnableWindow(dialog, FALSE);
      PostMessageW(dialog, WM_NULL, 0, 0);
      ++step;
    } else if (step == 1 && !modal->isEnabled()) {
      lookedDisabled = !close->isEnabled();
      QTest::mouseClick(close, Qt::LeftButton);
      QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(3, 3));
      ++step;
    } else if (step == 2) {
      pressedWhileHeld = tq::ui::ActiveModalWindow() != dialog;
      EnableWindow(dialog, TRUE);
      PostMessageW(dialog, WM_NULL, 0, 0);
      ++step;
    } else if (step == 3 && modal->isEnabled()) {
      lookedEnabledAfter = close->isEnabled();
      QTest::mouseClick(close, Qt::LeftButton);
      ++step;
    } else if (++waited > 4000) {
      EndDialog(dialog, 99);
    }
  });
  ticks.start(0);
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_TRUE(lookedDisabled);
  EXPECT_FALSE(pressedWhileHeld);
  EXPECT_EQ(raisedPrograms, 2) << "each press on the held dialog asks the program forward";
  EXPECT_TRUE(lookedEnabledAfter);

  // A dialog disabled while no started program runs keeps its look (its
  // own modal child says why it takes no input).
  programRuns = false;
  bool keptLook = false;
  step = 0;
  QTimer again;
  QObject::connect(&again, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    const HWND dialog = tq::ui::ActiveModalWindow();
    if (modal == nullptr || dialog == nullptr) return;
    if (step == 0) {
      EnableWindow(dialog, FALSE);
      PostMessageW(dialog, WM_NULL, 0, 0);
    }
    if (step == 50) {
      keptLook = modal->isEnabled();
      EnableWindow(dialog, TRUE);
      EndDialog(dialog, IDOK);
    }
    ++step;
  });
  ticks.stop();
  again.start(0);
  EXPECT_EQ(Run(), IDOK);
  EXPECT_TRUE(keptLook);
  EXPECT_EQ(raisedPrograms, 2);
  tq::ui::SetStartedProgramHooks({});
}

// SetForegroundWindow raises and activates the window it names, as the
// Import application does with the dialog that started it when it ends.
TEST_F(QtControls, ForegroundWindowIsActivated) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  HWND other = nullptr;
  QWidget* dialogWidget = nullptr;
  bool otherWasActive = false, dialogCameBack = false;
  int step = 0, waited = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    const HWND dialog = tq::ui::ActiveModalWindow();
    if (dialog == nullptr) return;
    if (step == 0 && QApplication::activeWindow() != nullptr) {
      dialogWidget = QApplication::activeWindow();
      other = CreateDialogParamW(kInstance, MAKEINTRESOURCEW(kPictureDialog), nullptr, CloseOnCancel, 0);
      ShowWindow(other, SW_SHOW);
      PostMessageW(dialog, WM_NULL, 0, 0);
      ++step;
    } else if (step == 1 && QApplication::activeWindow() != dialogWidget) {
      otherWasActive = QApplication::activeWindow() != nullptr;
      SetForegroundWindow(dialog);
      ++step;
    } else if (step == 2 && QApplication::activeWindow() == dialogWidget) {
      dialogCameBack = true;
      DestroyWindow(other);
      EndDialog(dialog, IDOK);
      ++step;
    } else if (++waited > 4000) {
      if (other != nullptr) DestroyWindow(other);
      EndDialog(dialog, 99);
    }
  });
  ticks.start(0);
  EXPECT_EQ(Run(), IDOK);
  EXPECT_TRUE(otherWasActive);
  EXPECT_TRUE(dialogCameBack);
}

}  // namespace
