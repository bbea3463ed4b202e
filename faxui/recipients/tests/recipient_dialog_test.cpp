// The recipient dialog driven by automation scripts through the headless
// face, checked on its transcript and on the list it leaves.
#include <gtest/gtest.h>

#include <string>

#include "scripted_dialog.h"
#include "testing/temp_root.h"

namespace tq::faxui::testing {
namespace {

using Dialog = tq::testing::TempRoot;

const std::string kOpen = "dialog 101 open \"Destinataire du fax\"";
const std::string kAddCaption = "\"Ajouter le destinataire à la liste\"";

std::string Name(const RecipientList& list, int i) { return list.block.records[i].name; }
std::string Number(const RecipientList& list, int i) { return list.block.records[i].faxNumber; }

int Count(const std::string& text, const std::string& line) {
  int found = 0;
  for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++found;
  return found;
}

TEST_F(Dialog, PastedNumberIsCleanedOneCharacterAtATime) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "settext 1004 a1,b",
      "expect-text 1004 A1B",
      "click 2",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.transcript, Lines({kOpen, "beep", "dialog 101 end 0"}));
  EXPECT_EQ(run.result, 0);
}

TEST_F(Dialog, NameRefusesSquareBracketsAndTypingStartsFromTheOpeningState) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "expect-visible 1003",
      "expect-hidden 1025",
      "expect-hidden 1026",
      "expect-unchecked 1027",
      "expect-enabled 1006",
      "expect-disabled 1009",
      "expect-disabled 1005",
      "expect-disabled 1024",
      "expect-disabled 1011",
      "settext 1001 \"[Dupont] \"",
      "expect-text 1001 \"Dupont \"",
      "click 2",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(Count(run.transcript, "beep"), 2);
}

TEST_F(Dialog, CurrentPhonebookIsShownAndOfferedOnceTheListHasLines) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "expect-text 1016 \"" + path("DEFAULT.AFD").string() + "\"",
      "expect-disabled 1011",
      "type 1004 0123",
      "click 1006",
      "expect-enabled 1011",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
}

TEST_F(Dialog, PhonebookThatCannotBeReadIsUnavailable) {
  tq::testing::WriteText(path("DEFAULT.AFD"), "not a phonebook");
  std::filesystem::permissions(path("DEFAULT.AFD"), std::filesystem::perms::owner_read);
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "expect-text 1016 --Aucun--",
      "type 1004 0123",
      "click 1006",
      "expect-disabled 1011",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
}

TEST_F(Dialog, SpeedDialNumbersWithTheSmallLimit) {
  const std::string range = "box ok \"Ce numéro de composition abrégée est supérieur à la limite.\"";
  const std::string wildcard =
      "box ok \"Numéro de composition abrégée non valide.\\nLe caractère générique (*) ne peut être "
      "utilisé que dans les formats de type 11* ou ***.\"";
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "click 1027",
      "expect-visible 1025",
      "expect-hidden 1026",
      "expect-hidden 1003",
      "type 1001 Siege",
      "type 1004 5",
      "click 1006",
      "expect-disabled 1005",
      "type 1004 20*", "click 1006",
      "type 1004 ***", "click 1006",
      "type 1004 00*", "click 1006",
      "type 1004 21*", "click 1006", range,
      "type 1004 *12", "click 1006", wildcard,
      "type 1004 1*2", "click 1006", wildcard,
      "type 1004 1**", "click 1006", wildcard,
      "type 1004 0", "click 1006", range,
      "type 1004 000", "click 1006", range,
      "type 1004 1234",
      "expect-text 1004 123",
      "expect-lines 1008 \"Siege <'005'>\" \" <'20*'>\" \" <'***'>\" \" <'00*'>\"",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.result, 1);
  ASSERT_EQ(run.recipients.block.count, 4);
  EXPECT_EQ(Name(run.recipients, 0), "Siege");
  EXPECT_EQ(Number(run.recipients, 0), "005");
  EXPECT_EQ(Number(run.recipients, 1), "20*");
  EXPECT_EQ(Number(run.recipients, 2), "***");
  EXPECT_EQ(Number(run.recipients, 3), "00*");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(run.recipients.block.records[i].speedDialFlag, 1);
    EXPECT_EQ(run.recipients.block.records[i].sendMode, '0');
    EXPECT_EQ(run.recipients.details[i].detailsAvailable, 0);
  }
  EXPECT_EQ(Count(run.transcript, "Ajouter le destinataire à la liste"), 6);
}

TEST_F(Dialog, LargeSpeedDialRangeWithTheHostFlag) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "click 1027",
      "expect-visible 1026",
      "expect-hidden 1025",
      "type 1004 999",
      "click 1006",
      "expect-lines 1008 \" <'999'>\"",
      "click 1027",
      "expect-visible 1003",
      "expect-hidden 1026",
      "click 1",
  }), HostOptions{false, true});
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_EQ(run.recipients.block.count, 1);
  EXPECT_EQ(Number(run.recipients, 0), "999");
}

TEST_F(Dialog, SwitchingSpeedDialModeEmptiesTheNumber) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1004 0123456",
      "click 1027",
      "expect-text 1004 \"\"",
      "type 1004 12",
      "click 1027",
      "expect-text 1004 \"\"",
      "type 1004 0123456789",
      "expect-text 1004 0123456789",
      "click 2",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
}

TEST_F(Dialog, DuplicateQuestionIgnoresCaseButNotTheSpeedDialForm) {
  const std::string question =
      "\"Nom : Dupont\\nN° de fax : 0123\\n\\nCe destinataire existe déjà dans la liste.\\n"
      "Souhaitez-vous quand même l'ajouter ?\"";
  const std::string lowerQuestion =
      "\"Nom : dupont\\nN° de fax : 0123\\n\\nCe destinataire existe déjà dans la liste.\\n"
      "Souhaitez-vous quand même l'ajouter ?\"";
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1001 Dupont", "type 1004 0123", "click 1006",
      "type 1001 Dupont", "type 1004 0123", "click 1006",
      "box no " + question,
      "type 1001 \"  dupont \"", "type 1004 0123", "click 1006",
      "box yes " + lowerQuestion,
      "type 1001 Dupont", "type 1004 123", "click 1006",
      "click 1027",
      "type 1001 Dupont", "type 1004 123", "click 1006",
      "expect-lines 1008 \"Dupont <0123>\" \"dupont <0123>\" \"Dupont <123>\" \"Dupont <'123'>\"",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(Count(run.transcript, "box question yesno " + kAddCaption), 2);
  EXPECT_EQ(Count(run.transcript, "-> no"), 1);
  ASSERT_EQ(run.recipients.block.count, 4);
  EXPECT_EQ(Name(run.recipients, 1), "dupont");
  EXPECT_EQ(run.recipients.block.records[3].speedDialFlag, 1);
  EXPECT_EQ(std::u16string(run.recipients.details[1].name), u"dupont");
  EXPECT_EQ(std::u16string(run.recipients.details[1].faxNumber), u"0123");
}

TEST_F(Dialog, EmptyNumberAndEmptyListAreRefused) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1001 Dupont",
      "click 1006",
      "box ok \"Entrez un numéro de fax.\"",
      "click 1",
      "box ok \"Aucun numéro de fax n'a été entré.\\nLa télécopie ne peut pas être envoyée.\"",
      "click 2",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.transcript,
            Lines({kOpen, "box warning ok " + kAddCaption + " \"Entrez un numéro de fax.\" -> ok",
                   "box error ok \"Télécopie\" \"Aucun numéro de fax n'a été entré.\\nLa télécopie ne "
                   "peut pas être envoyée.\" -> ok",
                   "dialog 101 end 0"}));
}

TEST_F(Dialog, FiftiethAddDisablesAddAndARemovalEnablesIt) {
  std::string script = "dialog 101\n";
  for (int i = 1; i <= 50; ++i) {
    script += "type 1004 " + std::to_string(1000 + i) + "\nclick 1006\n";
  }
  script += Lines({
      "expect-disabled 1006",
      "expect-selected 1008 49",
      "select 1008 0",
      "click 1024",
      "box yes \"Souhaitez-vous supprimer les destinataires sélectionnés de la liste ?\"",
      "expect-enabled 1006",
      "expect-selected 1008 0",
      "click 1",
  });
  const DialogRun run = RunRecipientDialog(root(), script);
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_EQ(run.recipients.block.count, 49);
  EXPECT_EQ(Number(run.recipients, 0), "1002");
  EXPECT_EQ(Number(run.recipients, 48), "1050");
}

std::string FiveRecipients() {
  std::string script = "dialog 101\n";
  for (const char* name : {"A", "B", "C", "D", "E"}) {
    script += std::string("type 1001 ") + name + "\ntype 1004 0" + name + "\nclick 1006\n";
  }
  return script;
}

TEST_F(Dialog, RemovingLinesTwoAndFourOfFive) {
  const DialogRun run = RunRecipientDialog(root(), FiveRecipients() + Lines({
      "select 1008 1 3",
      "click 1024",
      "box yes \"Souhaitez-vous supprimer les destinataires sélectionnés de la liste ?\"",
      "expect-lines 1008 \"A <0A>\" \"C <0C>\" \"E <0E>\"",
      "expect-selected 1008 1",
      "expect-enabled 1005",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(Count(run.transcript, "box question yesno \"Suppression de destinataires de la liste\""), 1);
  ASSERT_EQ(run.recipients.block.count, 3);
  EXPECT_EQ(Name(run.recipients, 0), "A");
  EXPECT_EQ(Name(run.recipients, 1), "C");
  EXPECT_EQ(Name(run.recipients, 2), "E");
  EXPECT_EQ(std::u16string(run.recipients.details[2].name), u"E");
}

TEST_F(Dialog, RemovingTheLastTwoSelectsTheNewLastLineAndNoMeansKeep) {
  const DialogRun run = RunRecipientDialog(root(), FiveRecipients() + Lines({
      "select 1008 3 4",
      "key 1008 delete",
      "box no",
      "expect-lines 1008 \"A <0A>\" \"B <0B>\" \"C <0C>\" \"D <0D>\" \"E <0E>\"",
      "key 1008 delete",
      "box yes",
      "expect-lines 1008 \"A <0A>\" \"B <0B>\" \"C <0C>\"",
      "expect-selected 1008 2",
      "select 1008 0 1 2",
      "click 1024",
      "box yes",
      "expect-lines 1008",
      "expect-disabled 1024",
      "expect-disabled 1005",
      "click 1",
      "box ok",
      "click 2",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.recipients.block.count, 0);
}

TEST_F(Dialog, CommSettingsButtonFollowsTheSelection) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1004 0123", "click 1006",
      "expect-enabled 1005",
      "click 1027",
      "type 1004 12", "click 1006",
      "expect-disabled 1005",
      "select 1008 0",
      "expect-enabled 1005",
      "select 1008 0 1",
      "expect-disabled 1005",
      "expect-disabled 1009",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.recipients.block.count, 2);
}

TEST_F(Dialog, CommSettingsAreCopiedBackOnlyOnOk) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1001 Martin", "type 1004 0123", "click 1006",
      "type 1001 Durand", "type 1004 0456", "click 1006",
      // Changes in the settings dialog, then "Annuler": nothing changes.
      "select 1008 0",
      "click 1005",
      "dialog 104",
      "expect-caption \"Paramètres de communication - Martin <0123>\"",
      "expect-lines 402 \"G3 auto\" F4800",
      "click 404",
      "type 410 12",
      "type 421 555",
      "select 402 1",
      "click 2",
      "dialog 101",
      "click 1005",
      "dialog 104",
      "expect-unchecked 404",
      "expect-hidden 410",
      "expect-text 421 \"\"",
      "expect-selected 402 0",
      // Changes and OK: they stay with the recipient.
      "click 403",
      "type 406 17",
      "type 421 99",
      "select 402 1",
      "click 1",
      "dialog 101",
      "click 1",
  }));
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_EQ(run.recipients.block.count, 2);
  const EntryRecord& martin = run.recipients.block.records[0];
  EXPECT_EQ(martin.sendMode, '4');
  EXPECT_EQ(std::string(martin.mailboxId), "17");
  EXPECT_EQ(std::string(martin.fCode), "99");
  EXPECT_EQ(martin.transmissionMode, 1);
  EXPECT_EQ(std::string(martin.relayTerminalId), "");
  EXPECT_EQ(std::string(martin.name), "Martin");
  const EntryRecord& durand = run.recipients.block.records[1];
  EXPECT_EQ(durand.sendMode, '0');
  EXPECT_EQ(std::string(durand.fCode), "");
}

TEST_F(Dialog, CommSettingsNeedExactlyOneLine) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1004 0123", "click 1006",
      "type 1004 0456", "click 1006",
      "select 1008 0 1",
      "click 1005",
      "click 1",
  }));
  // The button is disabled with two lines selected: the script cannot press it.
  EXPECT_EQ(run.status, 3) << run.transcript;
}

TEST_F(Dialog, FullModeListWithTheG4Option) {
  const DialogRun run = RunRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1004 0123", "click 1006",
      "click 1005",
      "dialog 104",
      "expect-lines 402 \"G3 auto\" F4800 \"G4 auto\"",
      "select 402 2",
      "click 1",
      "dialog 101",
      "click 1",
  }), HostOptions{true, false});
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.recipients.block.records[0].transmissionMode, 2);
}

}  // namespace
}  // namespace tq::faxui::testing
