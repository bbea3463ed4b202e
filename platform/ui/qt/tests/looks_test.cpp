// What the Qt face shows, checked without windows: dialog units, message
// box buttons, file dialog filters, help pages, bitmaps.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>

#include "dialog_units.h"
#include "offscreen_application.h"
#include "face_looks.h"
#include "help_window.h"
#include "modal_dialogs.h"
#include "sheet_tab_rows.h"
#include "static_picture.h"
#include "tab_stop_delegate.h"
#include "win/resource.h"
#include "win/system_texts.h"

namespace tq::ui::qt {
namespace {

class Looks : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureOffscreenApplication(); }
};

TEST_F(Looks, DialogUnitsRoundAsWin32Does) {
  EXPECT_EQ(MulDiv(7, 7, 4), 12);     // 12.25
  EXPECT_EQ(MulDiv(10, 7, 4), 18);    // 17.5 goes up
  EXPECT_EQ(MulDiv(-10, 7, 4), -18);  // and away from zero below it
  EXPECT_EQ(MulDiv(5, 1, 0), -1);
  // The classic 8-point font: 6 by 13 pixels a base unit.
  EXPECT_EQ(DialogUnitsToPixels({6, 13}, 10, 30, 120, 80), QRect(15, 49, 180, 130));
  EXPECT_EQ(DialogUnitsToPixels({7, 13}, 0, 0, 390, 200), QRect(0, 0, 683, 325));
}

TEST_F(Looks, BaseUnitsGrowWithTheDialogFont) {
  const BaseUnits small = BaseUnitsOf(DialogFont(nullptr, 8));
  const BaseUnits large = BaseUnitsOf(DialogFont(nullptr, 16));
  EXPECT_GE(small.x, 4);
  EXPECT_LE(small.x, 9);
  EXPECT_GE(small.y, 10);
  EXPECT_LE(small.y, 18);
  EXPECT_GT(large.x, small.x);
  EXPECT_GT(large.y, small.y);
  // A font this system lacks falls back to the desktop's, at 8 points by default.
  const QFont missing = DialogFont(u"No Such Font 1995", 0);
  EXPECT_EQ(missing.pointSize(), 8);
  EXPECT_EQ(BaseUnitsOf(missing).x, small.x);
}

TEST_F(Looks, MessageBoxIconsAndEscape) {
  EXPECT_EQ(BoxIconOf(BoxIcon::Error), QMessageBox::Critical);
  EXPECT_EQ(BoxIconOf(BoxIcon::Warning), QMessageBox::Warning);
  EXPECT_EQ(BoxIconOf(BoxIcon::Question), QMessageBox::Question);
  EXPECT_EQ(BoxIconOf(BoxIcon::Information), QMessageBox::Information);
  EXPECT_EQ(BoxIconOf(BoxIcon::None), QMessageBox::NoIcon);
  // Escape answers OK on a box that has only OK, Cancel where there is one.
  EXPECT_EQ(EscapeAnswer(BoxButtons::Ok), IDOK);
  EXPECT_EQ(EscapeAnswer(BoxButtons::OkCancel), IDCANCEL);
}

TEST_F(Looks, MessageBoxDefaultEscapeAndSystemModal) {
  MessageBoxCall call;
  call.text = u"Remplacer l'entrée ?";
  call.caption = u"Annuaire";
  call.type = MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION | MB_SYSTEMMODAL;
  call.icon = BoxIcon::Question;
  call.buttons = BoxButtons::YesNoCancel;
  call.defaultAnswer = IDNO;
  auto box = MakeMessageBox(call, nullptr);
  EXPECT_EQ(box->windowTitle(), "Annuaire");
  EXPECT_EQ(box->text(), "Remplacer l'entrée ?");
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
  ASSERT_NE(box->defaultButton(), nullptr);
  EXPECT_EQ(box->defaultButton()->text(), "&Non");
  ASSERT_NE(box->escapeButton(), nullptr);
  EXPECT_EQ(box->escapeButton()->text(), "Annuler");
  EXPECT_EQ(AnswerOf(*box, call), IDCANCEL) << "closed without a button: as Escape";
  PressAnswer(*box, IDYES);
  EXPECT_EQ(AnswerOf(*box, call), IDYES);

  // Yes and No only: no Escape button, and an unanswered box takes its default.
  call.type = MB_YESNO;
  call.buttons = BoxButtons::YesNo;
  auto plain = MakeMessageBox(call, nullptr);
  EXPECT_FALSE(plain->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(AnswerOf(*plain, call), IDNO);
}

TEST_F(Looks, FileDialogTakesTheCallsSettings) {
  FileDialogCall call;
  call.save = true;
  call.title = u"Enregistrer l'annuaire";
  call.filters = {{u"Annuaires", u"*.AFD"}, {u"Tous les fichiers", u"*.*"}};
  call.filterIndex = 1;
  call.fileName = u"bureau";
  call.defaultExt = u"AFD";
  call.flags = 0x00000002u;  // OFN_OVERWRITEPROMPT
  auto save = MakeFileDialog(call, nullptr, false);
  EXPECT_EQ(save->windowTitle(), "Enregistrer l'annuaire");
  EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(save->selectedNameFilter(), "Tous les fichiers (*.*)");
  EXPECT_EQ(save->defaultSuffix(), "AFD");
  EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));

  call.save = false;
  call.flags = 0x00001000u;  // OFN_FILEMUSTEXIST
  EXPECT_EQ(MakeFileDialog(call, nullptr, false)->fileMode(), QFileDialog::ExistingFile);
  auto scripted = MakeFileDialog(call, nullptr, true);
  EXPECT_EQ(scripted->fileMode(), QFileDialog::AnyFile) << "the layer checks a script's answer itself";
  EXPECT_TRUE(scripted->testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_TRUE(scripted->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(Looks, HelpOpensBesideItsDialogInsideTheScreen) {
  const QRect screen(0, 0, 1280, 1024);
  const QSize help(560, 480);
  EXPECT_EQ(HelpPlacement(QRect(100, 100, 300, 200), help, screen), QRect(408, 100, 560, 480));  // to the right
  EXPECT_EQ(HelpPlacement(QRect(900, 100, 300, 200), help, screen), QRect(332, 100, 560, 480));  // no room: left
  // Neither side holds it: narrowed to the larger side.
  EXPECT_EQ(HelpPlacement(QRect(320, 250, 590, 460), help, screen), QRect(918, 250, 362, 480));
  EXPECT_EQ(HelpPlacement(QRect(0, 0, 1280, 200), help, screen), QRect(720, 0, 560, 480));  // no side at all
  EXPECT_EQ(HelpPlacement(QRect(100, 900, 300, 100), help, screen), QRect(408, 544, 560, 480));  // kept above the bottom
}

// The file dialog's own labels are French, as the rest of the interface.
TEST_F(Looks, FileDialogsSpeakTheInterfaceLanguage) {
  ASSERT_TRUE(SpeakTheInterfaceLanguage()) << "Qt's French translations are not installed";
  FileDialogCall call;
  auto dialog = MakeFileDialog(call, nullptr, true);
  QStringList labels;
  for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.join(u'|').contains(QStringLiteral("Nom")) && !labels.join(u'|').contains(QStringLiteral("File name")))
      << labels.join(u'|').toStdString();
}

// The system's windows speak the language of the program that shows them:
// a Spanish program's boxes, help window and file dialogs are Spanish, and
// a French one keeps French.
TEST_F(Looks, BoxesHelpAndFileDialogsFollowTheProgramsLanguage) {
  const SystemTexts french = CurrentSystemTexts();
  const auto seen = [] {
    QStringList texts;
    MessageBoxCall call;
    call.buttons = BoxButtons::YesNoCancel;
    for (const BoxButton& button : BoxButtonsOf(BoxButtons::YesNoCancel)) texts << button.label;
    for (const BoxButton& button : BoxButtonsOf(BoxButtons::OkCancel)) texts << button.label;
    HelpWindow help(nullptr);
    texts << help.windowTitle() << help.BackButton()->text() << help.ForwardButton()->text()
          << help.CloseButton()->text();
    EXPECT_TRUE(SpeakTheInterfaceLanguage());
    auto dialog = MakeFileDialog(FileDialogCall{}, nullptr, true);
    QStringList labels;
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    texts << labels.filter(QStringLiteral("Nom"));
    return texts;
  };
  UseSystemTexts(
      {"es_ES", u"Aceptar", u"Cancelar", u"&Sí", u"&No", u"Error", u"Ayuda", u"&Atrás", u"A&delante", u"&Cerrar"});
  const QStringList spanish = seen();
  UseSystemTexts(french);
  const QStringList again = seen();
  EXPECT_EQ(spanish.mid(0, 9), (QStringList{"&Sí", "&No", "Cancelar", "Aceptar", "Cancelar", "Ayuda", "&Atrás",
                                            "A&delante", "&Cerrar"}));
  EXPECT_FALSE(spanish.mid(9).isEmpty());
  EXPECT_TRUE(spanish.filter(QStringLiteral("Nombre")).size() == spanish.mid(9).size())
      << "the file dialog is Spanish: " << spanish.mid(9).join(u'|').toStdString();
  EXPECT_EQ(again.mid(0, 9), (QStringList{"&Oui", "&Non", "Annuler", "OK", "Annuler", "Aide", "&Précédent",
                                          "&Suivant", "&Fermer"}));
  EXPECT_FALSE(again.mid(9).isEmpty()) << "French again: \"Nom du fichier\"";
}

// The file dialog's "Type" column names a folder in the program's language.
TEST_F(Looks, TheFileDialogsTypeColumnFollowsTheLanguage) {
  const SystemTexts french = CurrentSystemTexts();
  const QFileInfo folder(QDir::tempPath());
  ASSERT_TRUE(SpeakTheInterfaceLanguage());
  EXPECT_EQ(QFileIconProvider().type(folder), "Dossier");
  UseSystemTexts(
      {"es_ES", u"Aceptar", u"Cancelar", u"&Sí", u"&No", u"Error", u"Ayuda", u"&Atrás", u"A&delante", u"&Cerrar"});
  ASSERT_TRUE(SpeakTheInterfaceLanguage());
  EXPECT_EQ(QFileIconProvider().type(folder), "Carpeta");
  UseSystemTexts(french);
  EXPECT_TRUE(SpeakTheInterfaceLanguage());
}

TEST_F(Looks, FileDialogFiltersAndTitles) {
  FileDialogCall call;
  call.filters = {{u"Annuaires (*.afd)", u"*.afd; *.AFD"}, {u"Tous les fichiers", u"*.*"}, {u"Vide", u""},
                  {u"Fichiers d'annuaire (*.AFD)", u"*.afd"}, {u"Textes (*.txt)", u"*.csv"}};
  // Patterns the description shows already are not shown twice; others are.
  EXPECT_EQ(NameFilters(call), (QStringList{"Annuaires (*.afd)", "Tous les fichiers (*.*)", "Vide ()",
                                            "Fichiers d'annuaire (*.AFD)", "Textes (*.txt) (*.csv)"}));
  EXPECT_EQ(FileDialogTitle(call), "Ouvrir");
  call.save = true;
  EXPECT_EQ(FileDialogTitle(call), "Enregistrer sous");
  call.title = u"Nouvel annuaire";
  EXPECT_EQ(FileDialogTitle(call), "Nouvel annuaire");
}

TEST_F(Looks, HelpOpensTheHtmlPageAtTheTopic) {
  EXPECT_EQ(HelpPage(u"/opt/fax/qlhelpn.HLP", HELP_CONTEXT, 15500, "/root/help").toString(),
            "file:///opt/fax/qlhelpn.html#context-15500");
  EXPECT_EQ(HelpPage(u"C:\\fax\\qlhelpp.HLP", HELP_WM_HELP, 15508, "/h").toString(),
            "file:///C:/fax/qlhelpp.html#context-15508");
  // A bare name is looked for in the help folder; contents have no topic.
  EXPECT_EQ(HelpPage(u"qlhelpn.HLP", HELP_CONTENTS, 0, "/root/help").toString(), "file:///root/help/qlhelpn.html");
  EXPECT_TRUE(HelpPage(u"qlhelpn.HLP", HELP_QUIT, 0, "/h").isEmpty());
  EXPECT_TRUE(HelpPage(u"", HELP_CONTEXT, 1, "/h").isEmpty());
  const DWORD pairs[] = {1001, 15501, 1004, 15502, 0, 0};
  EXPECT_EQ(ContextOfControl(1004, pairs), 15502u);
  EXPECT_EQ(ContextOfControl(1009, pairs), 0u);
  EXPECT_EQ(ContextOfControl(1001, nullptr), 0u);
}

// Tab rows: filled in order, stretched to the width, the chosen tab's row
// next to the page and the others turned round above it.
TEST_F(Looks, SheetTabsWrapOntoRowsThatFillTheWidth) {
  // Two rows: 50+60 (70 more would not fit), then 70+80 exactly.
  EXPECT_EQ(TabRowsLayout({50, 60, 70, 80}, 150, 20, 0),
            (std::vector<QRect>{{0, 20, 70, 20}, {70, 20, 80, 20}, {0, 0, 70, 20}, {70, 0, 80, 20}}));
  EXPECT_EQ(TabRowsLayout({50, 60, 70, 80}, 150, 20, 3)[0], QRect(0, 0, 70, 20));
  // Three rows, the middle one chosen: it comes down, the last goes above
  // it, the first on top. A tab wider than a row is alone on its row.
  EXPECT_EQ(TabRowsLayout({100, 100, 200}, 150, 10, 1),
            (std::vector<QRect>{{0, 0, 150, 10}, {0, 20, 150, 10}, {0, 10, 150, 10}}));
  // Odd pixels go to the first tabs; one tab fills its row.
  EXPECT_EQ(TabRowsLayout({10, 10, 10}, 35, 5, 0),
            (std::vector<QRect>{{0, 0, 12, 5}, {12, 0, 12, 5}, {24, 0, 11, 5}}));
  EXPECT_EQ(TabRowsLayout({30}, 100, 5, 0), (std::vector<QRect>{{0, 0, 100, 5}}));
  EXPECT_TRUE(TabRowsLayout({}, 100, 5, -1).empty());
}

TEST_F(Looks, BitmapsKeepTheirColours) {
  // Two pixels, blue then red, each as blue, green, red, unused.
  static const BYTE pixels[] = {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00};
  static const tq::res::BitmapResource bitmaps[] = {{300, 2, 1, pixels}, {301, 4, 4, pixels}};
  static const tq::res::ResourceScript script{{}, {}, bitmaps};
  const auto instance = reinterpret_cast<HINSTANCE>(0x7E57);
  tq::res::RegisterResources(instance, script);
  const QImage image = PictureOf(LoadBitmapW(instance, MAKEINTRESOURCEW(300))).toImage();
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 0, 255));
  EXPECT_EQ(QColor(image.pixel(1, 0)), QColor(255, 0, 0));
  // Too few pixels for its size, or no bitmap at all: nothing to paint.
  EXPECT_TRUE(PictureOf(LoadBitmapW(instance, MAKEINTRESOURCEW(301))).isNull());
  EXPECT_TRUE(PictureOf(nullptr).isNull());
}

}  // namespace
}  // namespace tq::ui::qt
