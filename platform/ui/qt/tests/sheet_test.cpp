// Property sheets in the Qt face: one tab a page from the start, pages
// made when their tab is first chosen, the same notifications and
// transcript as on the headless face.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "dialog_units.h"
#include "sheet_tab_rows.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/resource.h"
#include "win/user_input.h"

namespace {

constexpr int kOptionsPage = 102;
constexpr int kAboutPage = 109;
constexpr int kHeader = 1201;

const tq::res::ControlTemplate kOptionsControls[] = {
    {WC_STATICW, -1, u"&En-tête :", 10, 12, 40, 8, SS_LEFT},
    {WC_EDITW, kHeader, u"", 55, 10, 100, 12, WS_TABSTOP | WS_BORDER},
    {WC_BUTTONW, 1202, u"&Rapport", 10, 30, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    // The letter of the sheet's "A&ppliquer" too.
    {WC_STATICW, -1, u"Mot de &passe :", 10, 50, 60, 8, SS_LEFT},
    {WC_EDITW, 1203, u"", 70, 48, 60, 12, WS_BORDER | ES_PASSWORD},
};
const tq::res::ControlTemplate kAboutControls[] = {
    {WC_STATICW, 901, u"Télécopie, version 1", 10, 10, 150, 8, SS_LEFT},
};
const tq::res::DialogTemplate kPages[] = {
    {kOptionsPage, u"Fax", WS_CHILD | DS_CONTROL, 0, 0, 0, 212, 188, kOptionsControls},
    {kAboutPage, u"À propos de", WS_CHILD | DS_CONTROL, 0, 0, 0, 252, 150, kAboutControls},
};
// A green bitmap, blue, green, red and unused bytes, the unused one 0 as
// resource compilers leave it.
constexpr int kGreenBitmap = 300;
constexpr int kGreenSide = 24;
std::vector<BYTE> GreenPixels() {
  std::vector<BYTE> pixels;
  for (int i = 0; i < kGreenSide * kGreenSide; ++i) pixels.insert(pixels.end(), {0x00, 0xC8, 0x00, 0x00});
  return pixels;
}
const std::vector<BYTE> kGreen = GreenPixels();
const tq::res::BitmapResource kBitmaps[] = {{kGreenBitmap, kGreenSide, kGreenSide, kGreen}};
const tq::res::ResourceScript kScript{kPages, {}, kBitmaps};
HINSTANCE PagesInstance() { return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5C0000)); }

std::vector<std::pair<int, UINT>> notes;  // (page template, PSN_*)

INT_PTR PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  const int id = GetDlgItem(page, kHeader) != nullptr ? kOptionsPage : kAboutPage;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHeader && HIWORD(wParam) == EN_CHANGE) PropSheet_Changed(GetParent(page), page);
      return TRUE;
    case WM_PAINT: {
      // The "À propos de" page draws its picture itself.
      if (id != kAboutPage) return FALSE;
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(page, &paint);
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(LoadBitmapW(PagesInstance(), MAKEINTRESOURCEW(kGreenBitmap))),
                 0, 20, 40, 0, 0, DST_BITMAP);
      EndPaint(page, &paint);
      return TRUE;
    }
    case WM_NOTIFY:
      notes.emplace_back(id, reinterpret_cast<const NMHDR*>(lParam)->code);
      SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR RunSheet(int count = 2) {
  PROPSHEETPAGEW pages[12] = {};
  for (int i = 0; i < count; ++i) {
    pages[i].dwSize = sizeof(PROPSHEETPAGEW);
    pages[i].hInstance = PagesInstance();
    pages[i].pszTemplate = MAKEINTRESOURCEW(i == 0 ? kOptionsPage : kAboutPage);
    pages[i].pfnDlgProc = PageProc;
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.pszCaption = u"Propriétés du document";
  header.nPages = static_cast<UINT>(count);
  header.ppsp = pages;
  return PropertySheetW(&header);
}

// Where a person clicks tab `index`: its place in the sheet's tab rows.
QPoint TabCentre(QTabWidget* tabs, int index) {
  return dynamic_cast<tq::ui::qt::SheetTabBar&>(*tabs->tabBar()).RowTabRect(index).center();
}

class QtSheet : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tq::res::RegisterResources(PagesInstance(), kScript);
    notes.clear();
    transcript_ = path("transcript.txt").string();
    setenv("TELEQUILL_TRANSCRIPT", transcript_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TELEQUILL_TRANSCRIPT");
    unsetenv("TELEQUILL_SCRIPT");
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
  std::string Transcript() const { return tq::testing::ReadText(transcript_); }

  std::string transcript_;
};

TEST_F(QtSheet, ScriptGivesTheHeadlessNotificationsAndTranscript) {
  const std::string shot = (std::filesystem::path(TQ_SHOT_DIR) / "sheet-109.png").string();
  const std::string script = "type 1201 Devis\npage 109\nshot " + shot + "\nclick 12321\nclick 1\n";
  tq::testing::WriteText(path("script.txt"), script);
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("script:" + path("script.txt").string()));
  EXPECT_EQ(RunSheet(), 1);
  const auto headlessNotes = notes;
  const std::string headless = Transcript();

  notes.clear();
  setenv("TELEQUILL_SCRIPT", path("script.txt").string().c_str(), 1);
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  EXPECT_EQ(RunSheet(), 1);
  EXPECT_EQ(notes, headlessNotes);
  // The layer keeps its transcript open: this run's lines follow the first's.
  EXPECT_EQ(Transcript(), headless + headless);
  EXPECT_NE(headless.find("sheet changed 102"), std::string::npos) << headless;

  // The sheet holds the larger page with room around it.
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  const QSize largest = tq::ui::qt::DialogUnitsToPixels(
      tq::ui::qt::BaseUnitsOf(tq::ui::qt::DialogFont(nullptr, 0)), 0, 0, 252, 188).size();
  EXPECT_GT(image.width(), largest.width());
  EXPECT_GT(image.height(), largest.height());
}

TEST_F(QtSheet, BitmapAPageDrawsShowsBeneathItsControls) {
  const std::string shot = path("painted.png").string();
  tq::testing::WriteText(path("script.txt"), "page 109\nshot " + shot + "\nclick 2\n");
  setenv("TELEQUILL_SCRIPT", path("script.txt").string().c_str(), 1);
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  EXPECT_EQ(RunSheet(), 0);
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  int green = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) green += QColor(image.pixel(x, y)) == QColor(0, 0xC8, 0) ? 1 : 0;
  }
  EXPECT_EQ(green, kGreenSide * kGreenSide) << "the whole bitmap, at its own size";
}

TEST_F(QtSheet, EveryPageHasATabAndChoosingOneShowsThePage) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  QStringList titles;
  int shownAfterClick = 0;
  std::vector<int> tabbed;
  int step = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || QApplication::activeWindow() != modal) return;
    auto* tabs = modal->findChild<QTabWidget*>();
    const HWND sheet = tq::ui::ActiveModalWindow();
    QWidget* focused = modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
    switch (step) {
      case 0:
        for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
        [[fallthrough]];
      case 1:
      case 2:
      case 3:
        // Tab goes round the page's controls and on to the sheet's buttons.
        if (step > 0) tabbed.push_back(GetDlgCtrlID(GetFocus()));
        QTest::keyClick(focused, Qt::Key_Tab);
        ++step;
        break;
      case 4:
        tabbed.push_back(GetDlgCtrlID(GetFocus()));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, TabCentre(tabs, 1));
        ++step;
        break;
      case 5:
        shownAfterClick = tq::ui::TemplateId(tq::ui::ShownSheetPage(sheet));
        QTest::keyClick(focused, Qt::Key_Escape);
        ++step;
        break;
      default:
        if (++step > 2000) EndDialog(sheet, 99);  // nothing left to do: do not hang
    }
  });
  ticks.start(0);
  EXPECT_EQ(RunSheet(), 0);
  EXPECT_EQ(titles, (QStringList{"Fax", "À propos de"}));
  EXPECT_EQ(tabbed, (std::vector<int>{kHeader, 1202, IDOK, IDCANCEL}));
  EXPECT_EQ(shownAfterClick, kAboutPage);
  // The second page was made and shown when its tab was chosen.
  const std::vector<std::pair<int, UINT>> expected = {{kOptionsPage, PSN_SETACTIVE}, {kOptionsPage, PSN_KILLACTIVE},
                                                       {kAboutPage, PSN_SETACTIVE}, {kAboutPage, PSN_QUERYCANCEL},
                                                       {kOptionsPage, PSN_RESET}, {kAboutPage, PSN_RESET}};
  EXPECT_EQ(notes, expected);
}

}  // namespace

namespace {

// The index of the page a sheet shows, in the sheet's order.
int ShownIndex(HWND sheet) {
  const std::vector<tq::ui::SheetPageTab> tabs = tq::ui::SheetPageTabs(sheet);
  for (size_t i = 0; i < tabs.size(); ++i) {
    if (tabs[i].page != nullptr && tabs[i].page == tq::ui::ShownSheetPage(sheet)) return static_cast<int>(i);
  }
  return -1;
}

// Keys as a person presses them on the widget with the focus: the tab row's
// arrows, Ctrl+Tab and Ctrl+PgDn from wherever the focus is, Alt+P shared
// by a label of the page and the sheet's "A&ppliquer", and a click on the
// second of two tabs with one title.
TEST_F(QtSheet, KeysAndClicksReachEveryPageAndASharedMnemonicPressesNothing) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  std::vector<int> shown;    // the page index after each step
  std::vector<int> focused;  // the control with the focus after each step
  int step = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || QApplication::activeWindow() != modal) return;
    auto* tabs = modal->findChild<QTabWidget*>();
    const HWND sheet = tq::ui::ActiveModalWindow();
    QWidget* focus = modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
    if (step > 0 && step < 12) {
      shown.push_back(ShownIndex(sheet));
      focused.push_back(GetDlgCtrlID(GetFocus()));
    }
    switch (step++) {
      case 0: QTest::keyClick(focus, Qt::Key_Right); break;  // the sheet opens on its tab row
      case 1: QTest::keyClick(focus, Qt::Key_Right); break;
      case 2: QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier); break;
      case 3: QTest::keyClick(focus, Qt::Key_Tab); break;
      case 4: QTest::keyClick(focus, Qt::Key_A); break;  // the header changes: Apply is enabled
      case 5: QTest::keyClick(focus, Qt::Key_P, Qt::AltModifier); break;
      case 6: QTest::keyClick(focus, Qt::Key_P, Qt::AltModifier); break;
      case 7: QTest::keyClick(focus, Qt::Key_P, Qt::AltModifier); break;
      case 8: QTest::keyClick(focus, Qt::Key_PageDown, Qt::ControlModifier); break;
      case 9: QTest::keyClick(focus, Qt::Key_Left); break;
      case 10:
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, TabCentre(tabs, 2));
        break;
      case 11: QTest::keyClick(focus, Qt::Key_Escape); break;
      default:
        if (step > 2000) EndDialog(sheet, 99);  // nothing left to do: do not hang
    }
  });
  ticks.start(0);
  EXPECT_EQ(RunSheet(3), 0);
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 0, 0, 0, 0, 0, 1, 0, 2}));
  EXPECT_EQ(focused, (std::vector<int>{IDC_PROPSHEET_TABS, IDC_PROPSHEET_TABS, IDC_PROPSHEET_TABS, kHeader, kHeader,
                                       1203, IDC_PROPSHEET_APPLY, 1203, IDC_PROPSHEET_TABS, IDC_PROPSHEET_TABS,
                                       IDC_PROPSHEET_TABS}));
  // Alt+P never pressed "A&ppliquer": no page was applied.
  for (const auto& note : notes) EXPECT_NE(note.second, static_cast<UINT>(PSN_APPLY));
}

}  // namespace

namespace {

// Twelve tabs do not fit one row: they wrap onto rows as wide as the
// sheet, which stays as wide as with two, and clicks and keys reach tabs
// on every row, the chosen tab's row coming next to the page.
TEST_F(QtSheet, TabsThatDoNotFitWrapOntoRowsAndEveryRowIsReachable) {
  unsetenv("TELEQUILL_SCRIPT");
  ASSERT_TRUE(tq::ui::UseFace("qt"));
  using tq::ui::qt::SheetTabBar;
  int twoPageWidth = 0;
  QTimer first;
  QObject::connect(&first, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || QApplication::activeWindow() != modal || twoPageWidth != 0) return;
    twoPageWidth = modal->width();
    QTest::keyClick(modal->focusWidget() != nullptr ? modal->focusWidget() : modal, Qt::Key_Escape);
  });
  first.start(0);
  EXPECT_EQ(RunSheet(2), 0);
  first.stop();

  int width = 0;
  int rows = 0;
  bool filled = true;         // every row spans the bar, tabs side by side
  std::vector<int> shown;     // the page after each step
  std::vector<bool> chosenLowest;  // the shown tab's row is next to the page
  int step = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || QApplication::activeWindow() != modal) return;
    auto& bar = dynamic_cast<SheetTabBar&>(*modal->findChild<QTabWidget*>()->tabBar());
    const HWND sheet = tq::ui::ActiveModalWindow();
    QWidget* focus = modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
    if (step > 0 && step < 6) {
      const int index = ShownIndex(sheet);
      shown.push_back(index);
      int lowest = 0;
      for (int i = 0; i < bar.count(); ++i) lowest = std::max(lowest, bar.RowTabRect(i).bottom());
      chosenLowest.push_back(index >= 0 && bar.RowTabRect(index).bottom() == lowest);
    }
    switch (step++) {
      case 0: {
        width = modal->width();
        rows = bar.RowCount();
        for (int i = 0; i < bar.count(); ++i) {
          const QRect tab = bar.RowTabRect(i);
          const bool rowStart = i == 0 || bar.RowTabRect(i - 1).top() != tab.top();
          const bool rowEnd = i + 1 == bar.count() || bar.RowTabRect(i + 1).top() != tab.top();
          if (rowStart && tab.left() != 0) filled = false;
          if (!rowStart && bar.RowTabRect(i - 1).right() + 1 != tab.left()) filled = false;
          if (rowEnd && tab.right() + 1 != bar.width()) filled = false;
        }
        QImage picture = modal->grab().toImage();
        picture.save(QString::fromStdString((std::filesystem::path(TQ_SHOT_DIR) / "sheet-rows.png").string()));
        // The last tab is on the top row: a click there.
        QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, TabCentre(modal->findChild<QTabWidget*>(), 11));
        break;
      }
      case 1: QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier); break;  // round to the first
      case 2: QTest::keyClick(focus, Qt::Key_PageUp, Qt::ControlModifier); break;  // back to the last
      case 3: QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); break;
      case 4:
        QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, TabCentre(modal->findChild<QTabWidget*>(), 1));
        break;
      case 5: QTest::keyClick(focus, Qt::Key_Escape); break;
      default:
        if (step > 2000) EndDialog(sheet, 99);  // nothing left to do: do not hang
    }
  });
  ticks.start(0);
  EXPECT_EQ(RunSheet(12), 0);
  EXPECT_GE(rows, 2);
  EXPECT_EQ(width, twoPageWidth) << "the tabs do not widen the sheet";
  EXPECT_TRUE(filled);
  EXPECT_EQ(shown, (std::vector<int>{11, 0, 11, 10, 1}));
  EXPECT_EQ(chosenLowest, (std::vector<bool>(5, true)));
}

}  // namespace
