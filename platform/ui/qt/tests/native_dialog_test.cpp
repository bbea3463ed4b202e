// The dialogs behave as native ones for a person with keyboard and mouse:
// the focus given back after a box or nested dialog, the focused push
// button as the default one, focus marks, selections shown only where the
// focus is, selected lines in view, owners that keep their look, boxes
// wide enough for their caption, help in a window of the face, and keys
// typed right after a mnemonic kept in order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "help_window.h"
#include "modal_dialogs.h"
#include "person.h"
#include "sample_dialog.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/user_input.h"

namespace {

using sample::TheRecord;

HWND Active() { return tq::ui::ActiveModalWindow(); }

// The names list of the active dialog holding "nom A" to "nom <last>",
// none selected.
HWND FillNames(char16_t last) {
  const HWND list = GetDlgItem(Active(), sample::kNames);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (char16_t name[] = u"nom A"; name[4] <= last; ++name[4]) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendMessageW(list, LB_SETSEL, FALSE, -1);
  return list;
}

void Shot(QWidget* window, const char* name) {
  if (window == nullptr) return;
  std::filesystem::create_directories(TQ_SHOT_DIR);
  window->grab().save(QString::fromStdString((std::filesystem::path(TQ_SHOT_DIR) / name).string()), "PNG");
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

// "Rapport" moves the focus to the number field when it is checked, as a
// check box that turns a field on does.
INT_PTR ReportFocusesNumber(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == sample::kReport && IsDlgButtonChecked(dialog, sample::kReport)) {
    SetFocus(GetDlgItem(dialog, sample::kNumber));
    return TRUE;
  }
  return sample::MainDialogProc(dialog, message, wParam, lParam);
}

class NativeDialog : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("TELEQUILL_SCRIPT");
    ASSERT_TRUE(tq::ui::UseFace("qt"));
    sample::RegisterSampleResources();
    TheRecord() = {};
  }
  void TearDown() override {
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
  static INT_PTR Run(DLGPROC proc = sample::MainDialogProc) {
    return DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr, proc, 0);
  }
};

bool BoxUp() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }

TEST_F(NativeDialog, FocusComesBackAfterABoxAndTheNextKeysGoThere) {
  bool ownerLooksEnabled = false;
  bool ownerDisabled = false;
  Person person({
      [&] {
        if (!BoxUp()) return false;
        // Behind the box the owner is disabled, yet none of it looks grey.
        QWidget* owner = QApplication::activeModalWidget()->parentWidget();
        ownerDisabled = !IsWindowEnabled(Active());
        ownerLooksEnabled = owner != nullptr && owner->isEnabled();
        for (QWidget* child : owner->findChildren<QWidget*>()) ownerLooksEnabled = ownerLooksEnabled && child->isEnabled();
        Shot(owner, "i17-owner-behind-box.png");
        Shot(QApplication::activeModalWidget(), "i17-box.png");
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
        return true;
      },
      [] {
        if (BoxUp()) return false;
        QTest::keyClicks(Focused(), "34");
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(Run(FocusInNumberThen<sample::kWarn>), IDCANCEL);
  EXPECT_EQ(person.Done(), 3u);
  EXPECT_EQ(TheRecord().boxAnswer, IDOK);
  EXPECT_EQ(TheRecord().focusAfterBox, sample::kNumber);
  ASSERT_FALSE(TheRecord().numberTexts.empty());
  EXPECT_EQ(TheRecord().numberTexts.back(), u"34") << "the keys after the box reach the field that had the focus";
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(ownerLooksEnabled) << "a window disabled by its modal child keeps its look";
}

TEST_F(NativeDialog, FocusComesBackAfterANestedDialog) {
  bool maximizable = true;
  Person person({
      [&] {
        if (tq::ui::TemplateId(Active()) != sample::kDetailsDialog) return false;
        maximizable = (QApplication::activeModalWidget()->windowFlags() & Qt::WindowMaximizeButtonHint) != 0;
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
      [] {
        if (tq::ui::TemplateId(Active()) != sample::kMainDialog) return false;
        QTest::keyClicks(Focused(), "5");
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(Run(FocusInNumberThen<sample::kDetails>), IDCANCEL);
  EXPECT_EQ(person.Done(), 3u);
  EXPECT_EQ(TheRecord().focusAfterDetails, sample::kNumber);
  ASSERT_FALSE(TheRecord().numberTexts.empty());
  EXPECT_EQ(TheRecord().numberTexts.back(), u"5");
  EXPECT_FALSE(maximizable) << "a dialog without a maximize box shows none";
}

TEST_F(NativeDialog, TabShowsFocusMarksAndTheFocusedPushButtonIsTheDefault) {
  bool markOnList = false;
  bool markOnCheck = false;
  bool markAfterClick = false;
  bool detailsDefault = false;
  bool okDefault = true;
  bool okDefaultAgain = false;
  const auto pushButton = [](const char* text) {
    for (QPushButton* button : QApplication::activeModalWidget()->findChildren<QPushButton*>()) {
      if (button->text() == QString::fromUtf8(text)) return button;
    }
    return static_cast<QPushButton*>(nullptr);
  };
  const auto marked = [] {
    QWidget* focus = Focused();
    return focus != nullptr && focus->hasFocus() && focus->window()->testAttribute(Qt::WA_KeyboardFocusChange);
  };
  Person person({
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },  // the list
      [&] {
        markOnList = marked() && qobject_cast<QListView*>(Focused()) != nullptr;
        Shot(QApplication::activeModalWidget(), "i17-focus-list.png");
        QTest::keyClick(Focused(), Qt::Key_Tab);  // the radio group
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },  // "Rapport"
      [&] {
        markOnCheck = marked() && qobject_cast<QCheckBox*>(Focused()) != nullptr;
        Shot(QApplication::activeModalWidget(), "i17-focus-check.png");
        // A click keeps the cues the keys brought.
        QCheckBox* report = qobject_cast<QCheckBox*>(Focused());
        if (report != nullptr) QTest::mouseClick(report, Qt::LeftButton, {}, QPoint(5, report->height() / 2));
        return true;
      },
      [&] {
        markAfterClick = marked();
        QTest::keyClick(Focused(), Qt::Key_Tab);  // "Détails..."
        return true;
      },
      [&] {
        QPushButton* details = pushButton("&Détails...");
        QPushButton* ok = pushButton("OK");
        detailsDefault = details != nullptr && details->isDefault() && details->hasFocus();
        okDefault = ok != nullptr && ok->isDefault();
        Shot(QApplication::activeModalWidget(), "i17-default-follows-focus.png");
        QTest::keyClick(Focused(), Qt::Key_Return);  // presses "Détails...", not OK
        return true;
      },
      [] {
        if (tq::ui::TemplateId(Active()) != sample::kDetailsDialog) return false;
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
      [&] {
        if (tq::ui::TemplateId(Active()) != sample::kMainDialog) return false;
        QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ShiftModifier);  // back to "Rapport"
        return true;
      },
      [&] {
        okDefaultAgain = pushButton("OK") != nullptr && pushButton("OK")->isDefault() && !pushButton("&Détails...")->isDefault();
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(person.Done(), 9u);
  EXPECT_TRUE(markOnList);
  EXPECT_TRUE(markOnCheck);
  EXPECT_TRUE(markAfterClick);
  EXPECT_TRUE(detailsDefault) << "the focused push button looks default";
  EXPECT_FALSE(okDefault);
  EXPECT_TRUE(okDefaultAgain) << "OK is the default again once the focus left the push buttons";
}

TEST_F(NativeDialog, SelectionShowsOnlyWhereTheFocusIsAndReadOnlyLooksSo) {
  bool selectedWhileFocused = false;
  bool selectedAfterTab = true;
  bool readOnlyBackground = false;
  QLineEdit* number = nullptr;
  Person person({
      [&] {
        number = qobject_cast<QLineEdit*>(Focused());
        QTest::keyClicks(Focused(), "123");
        QTest::keyClick(Focused(), Qt::Key_A, Qt::ControlModifier);
        return true;
      },
      [&] {
        selectedWhileFocused = number != nullptr && number->hasSelectedText();
        QTest::keyClick(Focused(), Qt::Key_Tab);
        return true;
      },
      [&] {
        selectedAfterTab = number->hasSelectedText();
        SendDlgItemMessageW(Active(), sample::kNumber, EM_SETREADONLY, TRUE, 0);
        PostMessageW(Active(), WM_NULL, 0, 0);  // the face shows the change at the next wait
        return true;
      },
      [&] {
        if (!number->isReadOnly()) return false;
        readOnlyBackground = number->palette().color(QPalette::Base) == number->palette().color(QPalette::Window);
        Shot(QApplication::activeModalWidget(), "i17-hidden-selection-read-only.png");
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(person.Done(), 4u);
  EXPECT_TRUE(selectedWhileFocused);
  EXPECT_FALSE(selectedAfterTab) << "an edit without ES_NOHIDESEL hides its selection without the focus";
  EXPECT_TRUE(readOnlyBackground);
}

TEST_F(NativeDialog, TheTwentiethLineAddedIsInView) {
  bool inView = false;
  int scrolled = 0;
  Person person({
      [] {
        const HWND list = FillNames(u'T');
        SendMessageW(list, LB_SETSEL, TRUE, 19);
        PostMessageW(Active(), WM_NULL, 0, 0);
        return true;
      },
      [&] {
        QListView* view = QApplication::activeModalWidget()->findChild<QListView*>();
        if (view == nullptr || view->model()->rowCount() != 20) return false;
        scrolled = view->verticalScrollBar()->value();
        inView = view->viewport()->rect().contains(view->visualRect(view->model()->index(19, 0)));
        Shot(QApplication::activeModalWidget(), "i17-twentieth-line.png");
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(person.Done(), 2u);
  EXPECT_GT(scrolled, 0);
  EXPECT_TRUE(inView) << "the line selected last is in view";
}

// A list scrolled with its scroll bar stays where it is when a line in
// view is clicked.
TEST_F(NativeDialog, AClickAfterScrollingKeepsTheViewWhereItWas) {
  int scrolledTo = -1;
  int afterClick = -1;
  int clicked = -1;
  std::vector<int> selected;
  Person person({
      [] {
        FillNames(u'Z');
        PostMessageW(Active(), WM_NULL, 0, 0);
        return true;
      },
      [&] {
        QListView* view = QApplication::activeModalWidget()->findChild<QListView*>();
        if (view == nullptr || view->model()->rowCount() != 26) return false;
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
        scrolledTo = view->verticalScrollBar()->value();
        const QPoint middle = view->viewport()->rect().center();
        clicked = view->indexAt(middle).row();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middle);
        return true;
      },
      [&] {
        QListView* view = QApplication::activeModalWidget()->findChild<QListView*>();
        afterClick = view->verticalScrollBar()->value();
        selected = tq::ui::SelectedItems(GetDlgItem(Active(), sample::kNames));
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(person.Done(), 3u);
  EXPECT_GT(scrolledTo, 0);
  EXPECT_EQ(afterClick, scrolledTo) << "the view jumped back to the list's top line";
  EXPECT_GT(clicked, 0);
  EXPECT_EQ(selected, std::vector<int>{clicked});
}

// The widget shows the list's lines after lines are added, deleted and
// inserted, and its selection as one range for each run of selected lines.
TEST_F(NativeDialog, TheListFollowsItsLinesAndShowsItsSelectionRuns) {
  auto shown = [](QListView* view) {
    std::vector<std::u16string> lines;
    for (int i = 0; i < view->model()->rowCount(); ++i) {
      lines.push_back(view->model()->index(i, 0).data().toString().toStdU16String());
    }
    return lines;
  };
  auto selectedRows = [](QListView* view) {
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  };
  int ranges = 0;
  std::vector<std::u16string> firstLines;
  std::vector<int> firstRows;
  std::vector<std::u16string> laterLines;
  std::vector<std::u16string> laterExpected;
  std::vector<int> laterRows;
  std::vector<int> laterExpectedRows;
  Person person({
      [] {
        const HWND list = FillNames(u'F');
        for (int row : {1, 2, 3, 5}) SendMessageW(list, LB_SETSEL, TRUE, row);
        PostMessageW(Active(), WM_NULL, 0, 0);
        return true;
      },
      [&] {
        QListView* view = QApplication::activeModalWidget()->findChild<QListView*>();
        if (view == nullptr || view->model()->rowCount() != 6) return false;
        firstLines = shown(view);
        firstRows = selectedRows(view);
        ranges = static_cast<int>(view->selectionModel()->selection().size());
        const HWND list = GetDlgItem(Active(), sample::kNames);
        SendMessageW(list, LB_DELETESTRING, 0, 0);
        SendMessageW(list, LB_INSERTSTRING, 2, reinterpret_cast<LPARAM>(u"nom Z"));
        PostMessageW(Active(), WM_NULL, 0, 0);
        return true;
      },
      [&] {
        // The view reads its lines from the list as it draws them; its
        // selection follows at the next sync.
        QListView* view = QApplication::activeModalWidget()->findChild<QListView*>();
        const HWND list = GetDlgItem(Active(), sample::kNames);
        if (view == nullptr || selectedRows(view) != tq::ui::SelectedItems(list)) return false;
        laterLines = shown(view);
        laterExpected = tq::ui::ItemTexts(list);
        laterRows = selectedRows(view);
        laterExpectedRows = tq::ui::SelectedItems(list);
        QTest::keyClick(Focused(), Qt::Key_Escape);
        return true;
      },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(person.Done(), 3u);
  EXPECT_EQ(firstLines, (std::vector<std::u16string>{u"nom A", u"nom B", u"nom C", u"nom D", u"nom E", u"nom F"}));
  EXPECT_EQ(firstRows, (std::vector<int>{1, 2, 3, 5}));
  EXPECT_EQ(ranges, 2);
  EXPECT_EQ(laterLines, laterExpected);
  EXPECT_EQ(laterRows, laterExpectedRows);
  EXPECT_FALSE(laterRows.empty());
}

TEST_F(NativeDialog, KeysTypedRightAfterAMnemonicClickGoWhereItMovedTheFocus) {
  Person person({
      [] { QTest::keyClick(Focused(), Qt::Key_Tab); return true; },  // the list
      [] {
        // Alt+P checks "Rapport", whose click moves the focus to the number
        // field; the digits come at once, before anything is shown again.
        QWidget* list = Focused();
        QTest::keyClick(list, Qt::Key_P, Qt::AltModifier);
        QTest::keyClicks(Focused(), "42");
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(Run(ReportFocusesNumber), IDCANCEL);
  EXPECT_EQ(person.Done(), 3u);
  ASSERT_FALSE(TheRecord().numberTexts.empty());
  EXPECT_EQ(TheRecord().numberTexts.back(), u"42");
}

TEST_F(NativeDialog, HelpOpensInTheFaceAtTheTopicAndClosesWithTheDialog) {
  // A program named as the desktop's opener would leave a mark if started.
  const std::filesystem::path bin = path("bin");
  std::filesystem::create_directories(bin);
  tq::testing::WriteText(bin / "xdg-open", "#!/bin/sh\ntouch \"" + path("opened").string() + "\"\n");
  std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);
  std::string filler;
  for (int i = 0; i < 80; ++i) filler += "<p>Ligne " + std::to_string(i) + "</p>\n";
  tq::testing::WriteText(path("aide.html"), "<html><head><title>Aide de test</title></head><body>"
                                            "<h2 id=\"context-1\">Un</h2><p><a href=\"#context-2\">Deux</a></p>" +
                                                filler + "<h2 id=\"context-2\">Deux</h2>" + filler + "</body></html>");
  const std::u16string file = (path("aide.HLP")).u16string();
  QPointer<tq::ui::qt::HelpWindow> help;
  bool opened = false;
  QString openedAt;
  int scrolledAt = 0;
  bool backAfterLink = false;
  bool forwardAfterBack = false;
  Person person({
      [&] {
        WinHelpW(Active(), file.c_str(), HELP_CONTEXT, 2);
        for (QWidget* widget : QApplication::allWidgets()) {
          if (auto* window = dynamic_cast<tq::ui::qt::HelpWindow*>(widget); window != nullptr && window->isVisible()) help = window;
        }
        if (help == nullptr) return true;
        opened = true;
        openedAt = help->Browser()->source().fragment();
        scrolledAt = help->Browser()->verticalScrollBar()->value();
        Shot(help, "i17-help-window.png");
        WinHelpW(Active(), file.c_str(), HELP_CONTEXT, 1);
        help->Browser()->setSource(QUrl(QStringLiteral("#context-2")));
        backAfterLink = help->BackButton()->isEnabled();
        QTest::mouseClick(help->BackButton(), Qt::LeftButton);
        forwardAfterBack = help->ForwardButton()->isEnabled();
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_TRUE(opened) << "help opens in a window of the face";
  EXPECT_EQ(openedAt, QStringLiteral("context-2"));
  EXPECT_GT(scrolledAt, 0) << "the window opens at the topic, not at the top";
  EXPECT_TRUE(backAfterLink);
  EXPECT_TRUE(forwardAfterBack);
  QApplication::processEvents();
  EXPECT_TRUE(help == nullptr || !help->isVisible()) << "the help window closes with the dialog that opened it";
  EXPECT_FALSE(std::filesystem::exists(path("opened"))) << "no program outside the face is started";
}

// The help window opens beside the dialog that asked, inside the screen,
// and Escape closes it without touching the dialog.
TEST_F(NativeDialog, HelpWindowOpensBesideItsDialogAndEscapeClosesIt) {
  tq::testing::WriteText(path("aide.html"), "<html><body><h2 id=\"context-1\">Un</h2></body></html>");
  const std::u16string file = (path("aide.HLP")).u16string();
  QPointer<tq::ui::qt::HelpWindow> help;
  QRect dialogFrame, helpFrame, screen;
  bool closedByEscape = false;
  bool dialogStayed = false;
  Person person({
      [&] {
        // The dialog at the screen's left edge: room for the help on its right.
        QApplication::activeModalWidget()->move(0, 0);
        WinHelpW(Active(), file.c_str(), HELP_CONTEXT, 1);
        for (QWidget* widget : QApplication::allWidgets()) {
          if (auto* window = dynamic_cast<tq::ui::qt::HelpWindow*>(widget); window != nullptr && window->isVisible()) help = window;
        }
        if (help == nullptr) return true;
        dialogFrame = help->parentWidget()->window()->frameGeometry();
        helpFrame = help->frameGeometry();
        screen = help->screen()->availableGeometry();
        QTest::keyClick(help->Browser(), Qt::Key_Escape);
        closedByEscape = !help->isVisible();
        dialogStayed = Active() != nullptr;
        return true;
      },
      [] { QTest::keyClick(Focused(), Qt::Key_Escape); return true; },
  });
  EXPECT_EQ(Run(), IDCANCEL);
  ASSERT_FALSE(helpFrame.isNull());
  EXPECT_TRUE(screen.contains(helpFrame)) << "inside the screen";
  EXPECT_FALSE(helpFrame.intersects(dialogFrame)) << "beside the dialog, not over it";
  EXPECT_TRUE(closedByEscape);
  EXPECT_TRUE(dialogStayed);
}

TEST(NativeBox, ALongCaptionFitsTheBox) {
  tq::ui::MessageBoxCall call;
  call.caption = u"Ajouter le destinataire à la liste des destinataires de la télécopie";
  call.text = u"Non.";
  call.buttons = tq::ui::BoxButtons::Ok;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "qt_inprocess_tests";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QApplication(argc, argv);
  std::unique_ptr<QMessageBox> box = tq::ui::qt::MakeMessageBox(call, nullptr);
  box->show();
  QApplication::processEvents();
  QFont bold = box->font();
  bold.setBold(true);
  EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()));
  EXPECT_FALSE(box->windowFlags() & Qt::WindowMaximizeButtonHint) << "a box shows no maximize box";
  Shot(box.get(), "i17-long-caption-box.png");
  box->hide();
}

}  // namespace
