// The sample dialog driven by scripts through the headless face: what the
// dialogs rely on, checked end to end with the transcript.
#include <thread>

#include "script_fixture.h"
#include "win/foreign_window.h"
#include "win/system_texts.h"

using sample::TheRecord;

TEST_F(ScriptTest, PastedTextIsFilteredOneCharacterPerPass) {
  UseScript(
      "dialog 100\n"
      "settext 1001 \"01a2b-3c\"   # a paste with three bad characters\n"
      "expect-text 1001 \"012-3\"\n"
      "click 1\n");
  EXPECT_EQ(RunMain(), IDOK);
  const std::vector<std::u16string> passes = {u"01a2b-3c", u"012b-3c", u"012-3c", u"012-3"};
  EXPECT_EQ(TheRecord().numberTexts, passes);
  EXPECT_EQ(TheRecord().beeps, 3);
  EXPECT_EQ(Transcript(),
            "dialog 100 open \"Échantillon\"\nbeep\nbeep\nbeep\ndialog 100 end 1\n");
}

TEST_F(ScriptTest, TypingSendsOneChangePerCharacterAndStopsAtTheLimit) {
  UseScript(
      "type 1001 1x2\n"
      "expect-text 1001 12\n"
      "type 1001 123456789012345678901234\n"
      "expect-text 1001 12345678901234567890\n"
      "click 2\n");
  EXPECT_EQ(RunMain(), IDCANCEL);
  // "1", "1x" (then filtered to "1"), "12"; then 20 accepted characters.
  ASSERT_GE(TheRecord().numberTexts.size(), 4u);
  EXPECT_EQ(TheRecord().numberTexts[0], u"1");
  EXPECT_EQ(TheRecord().numberTexts[1], u"1x");
  EXPECT_EQ(TheRecord().numberTexts[2], u"1");
  EXPECT_EQ(TheRecord().numberTexts[3], u"12");
  EXPECT_EQ(TheRecord().numberTexts.size(), 4u + 20u);
}

TEST_F(ScriptTest, SortedListSelectionAndDeleteKey) {
  UseScript(
      "expect-lines 1002 alain Bernard claire Dupont Eliane éric Fabien Martin\n"
      "select 1002 0 2 5\n"
      "expect-selected 1002 0 2 5\n"
      "selecttext 1002 Martin Dupont\n"
      "expect-selected 1002 3 7\n"
      "key 1002 delete\n"
      "expect-lines 1002 alain Bernard claire Eliane éric Fabien\n"
      "click 1\n");
  EXPECT_EQ(RunMain(), IDOK);
  EXPECT_EQ(TheRecord().deleteKeys, 1);
}

TEST_F(ScriptTest, AutomaticRadioGroupAndCheckBox) {
  UseScript(
      "expect-checked 1004\n"
      "click 1005\n"
      "expect-checked 1005\n"
      "expect-unchecked 1004\n"
      "expect-unchecked 1003\n"
      "expect-unchecked 1006\n"
      "click 1006\n"
      "expect-checked 1006\n"
      "expect-checked 1005   # the check box is a group of its own\n"
      "click 1006\n"
      "expect-unchecked 1006\n"
      "click 1\n");
  EXPECT_EQ(RunMain(), IDOK);
}

TEST_F(ScriptTest, NestedDialogDisablesItsOwner) {
  UseScript(
      "click 1007\n"
      "dialog 200\n"
      "expect-caption Détails\n"
      "type 2001 \"x y\"\n"
      "key 2001 enter\n"
      "dialog 100\n"
      "expect-enabled 1007\n"
      "key 1002 escape\n");
  EXPECT_EQ(RunMain(), IDCANCEL);
  EXPECT_TRUE(TheRecord().ownerDisabledInDetails);
  EXPECT_TRUE(TheRecord().ownerEnabledAfterDetails);
  EXPECT_EQ(Transcript(),
            "dialog 100 open \"Échantillon\"\n"
            "dialog 200 open \"Détails\"\n"
            "dialog 200 end 1\n"
            "dialog 100 end 2\n");
}

TEST_F(ScriptTest, MessageBoxAnsweredByTheScript) {
  UseScript(
      "click 1008\n"
      "box cancel \"Entrez un numéro de fax.\"\n"
      "expect-text 1009 Annulé\n"
      "click 1008\n"
      "box ok\n"
      "expect-text 1009 Confirmé\n"
      "click 1\n");
  EXPECT_EQ(RunMain(), IDOK);
  EXPECT_EQ(TheRecord().boxAnswer, IDOK);
  const std::string line =
      "box warning okcancel \"Ajouter le destinataire à la liste\" \"Entrez un numéro de fax.\" -> ";
  EXPECT_NE(Transcript().find(line + "cancel\n"), std::string::npos) << Transcript();
  EXPECT_NE(Transcript().find(line + "ok\n"), std::string::npos) << Transcript();
}

TEST_F(ScriptTest, CommandPostedFromAnotherThreadReachesTheModalLoop) {
  UseScript(
      "wait-command 1022 30\n"
      "expect-text 1009 Importé\n"
      "click 1\n");
  std::thread poster([] {
    HWND dialog = nullptr;
    while ((dialog = tq::ui::ActiveModalDialog()) == nullptr) std::this_thread::yield();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(sample::kImportDone, 0), 0);
  });
  EXPECT_EQ(RunMain(), IDOK);
  poster.join();
  EXPECT_EQ(TheRecord().posted, 1);
}

TEST_F(ScriptTest, TimerDialogEndsItselfWhenTheScriptHasNoMoreActions) {
  UseScript("");
  EXPECT_EQ(DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kTimerDialog), nullptr,
                            sample::TimerDialogProc, 0),
            IDOK);
  EXPECT_EQ(TheRecord().timerTicks, 3);
}

TEST_F(ScriptTest, WithoutScriptDialogsCancelAndBoxesTakeTheirDefault) {
  ASSERT_TRUE(tq::ui::UseFace("headless"));
  EXPECT_EQ(RunMain(), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"Remplacer ?", u"Carnet", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"Fini.", nullptr, MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_NE(Transcript().find("box information ok \"Erreur\" \"Fini.\" -> ok"), std::string::npos);
  // A program of another interface language names the box in its own.
  const tq::ui::SystemTexts french = tq::ui::CurrentSystemTexts();
  tq::ui::SystemTexts spanish = french;
  spanish.errorCaption = u"Error";
  tq::ui::UseSystemTexts(spanish);
  EXPECT_EQ(MessageBoxW(nullptr, u"Listo.", nullptr, MB_OK), IDOK);
  tq::ui::UseSystemTexts(french);
  EXPECT_NE(Transcript().find("box none ok \"Error\" \"Listo.\" -> ok"), std::string::npos) << Transcript();
}

TEST_F(ScriptTest, UnknownFaceIsRefusedAndTheChoiceKept) {
  EXPECT_FALSE(tq::ui::UseFace("curses"));
  EXPECT_FALSE(tq::ui::UseFace("script:"));
}

namespace {

// A dialog that asks a question while it initialises, as the recipient
// dialog offers a phonebook's conversion, and shows the answer as caption;
// Cancel asks once more (a box after the dialog is shown).
INT_PTR AskingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    const int answer = MessageBoxW(dialog, u"Convertir ?", u"Conversion", MB_YESNO | MB_ICONQUESTION);
    SetWindowTextW(dialog, answer == IDYES ? u"Oui" : u"Non");
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    MessageBoxW(dialog, u"Fermer.", u"Conversion", MB_OK);
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

INT_PTR RunAsking() {
  return DialogBoxParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kDetailsDialog), nullptr, AskingDialogProc, 0);
}

}  // namespace

TEST_F(ScriptTest, BoxRaisedWhileTheDialogOpensIsAnsweredBeforeItsLine) {
  UseScript(
      "box no \"Convertir ?\"\n"
      "dialog 200\n"
      "expect-caption Non\n"
      "click 2\n"
      "box ok\n");
  EXPECT_EQ(RunAsking(), IDCANCEL);
  EXPECT_EQ(Transcript(),
            "box question yesno \"Conversion\" \"Convertir ?\" -> no\n"
            "dialog 200 open \"Non\"\n"
            "box none ok \"Conversion\" \"Fermer.\" -> ok\n"
            "dialog 200 end 2\n");
}

TEST_F(ScriptTest, PicturesAskedWhileABoxIsUpDoNotTakeItsAnswer) {
  // The headless face takes no pictures; the shot lines before a box belong
  // to that box and the answer still comes from the box line.
  UseScript(
      "shot " + path("box.png").string() + "\n"
      "box yes\n"
      "dialog 200\n"
      "expect-caption Oui\n"
      "click 2\n"
      "shot " + path("closing.png").string() + "\n"
      "box ok\n");
  EXPECT_EQ(RunAsking(), IDCANCEL);
  EXPECT_FALSE(std::filesystem::exists(path("box.png")));
}
