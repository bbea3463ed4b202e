// The communication settings dialog driven by automation scripts: the
// send mode groups, the destination list and the checks on OK.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "comm_dialog_run.h"
#include "testing/temp_root.h"

namespace tq::faxui::testing {
namespace {

using CommDialog = tq::testing::TempRoot;

const std::string kSecure = "\"Paramètres de télécopie protégée non valides\"";
const std::string kRelay = "\"Paramètres de télécopie relais non valides\"";
const std::string kMailboxText =
    "\"Un numéro de boîte aux lettres (1 - 200) doit être spécifié pour l'envoi de télécopie "
    "protégée.\"";
const std::string kPasswordText =
    "\"Un mot de passe à 4 chiffres doit être spécifié pour l'envoi de télécopie protégée.\"";
const std::string kTerminalText =
    "\"Un ID de terminal relais (1 - 99) doit être spécifié pour l'envoi de télécopie relais.\"";
const std::string kNoDestinationText =
    "\"Un ID de destination doit être ajouté à la liste des destinations pour l'envoi de télécopie "
    "relais.\"";

EntryRecord Recipient(const char* name, const char* number) {
  EntryRecord record = DefaultEntryRecord;
  std::strcpy(record.name, name);
  std::strcpy(record.faxNumber, number);
  return record;
}

std::string Destinations(const EntryRecord& record) {
  return std::string(record.destinationIds, static_cast<std::size_t>(record.destinationCount) * 3);
}

TEST_F(CommDialog, SecureSendChecksMailboxAndPassword) {
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "expect-hidden 406",
      "click 403",
      "expect-visible 406",
      "expect-enabled 408",
      "expect-hidden 410",
      "click 1",
      "box ok " + kMailboxText,
      "type 406 201",
      "click 1",
      "box ok " + kMailboxText,
      "type 406 2a00",
      "expect-text 406 200",
      "type 408 123",
      "click 1",
      "box ok " + kPasswordText,
      "settext 408 \"\"",
      "click 1",
  }), Recipient("Martin", "0123"), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.record.sendMode, '4');
  EXPECT_EQ(std::string(run.record.mailboxId), "200");
  EXPECT_EQ(std::string(run.record.mailboxPassword), "");
  EXPECT_NE(run.transcript.find("box error ok " + kSecure + " " + kPasswordText), std::string::npos);
}

TEST_F(CommDialog, FourDigitPasswordIsAccepted) {
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "click 403",
      "type 406 1",
      "type 408 1234",
      "click 1",
  }), Recipient("Martin", "0123"), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(std::string(run.record.mailboxPassword), "1234");
}

TEST_F(CommDialog, RelaySendChecksTerminalAndDestinations) {
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "click 404",
      "expect-visible 418",
      "expect-hidden 419",
      "expect-disabled 416",
      "expect-enabled 415",
      "type 410 00",
      "click 1",
      "box ok " + kTerminalText,
      "type 410 5",
      "click 1",
      "box ok " + kNoDestinationText,
      "type 412 7", "click 415",
      "type 412 7", "click 415",
      "expect-lines 414 007",
      "click 417",
      "expect-visible 419",
      "expect-hidden 418",
      "type 412 7", "click 415",
      "click 417",
      "type 412 *", "click 415",
      "type 412 **", "click 415",
      "type 412 5*", "click 415",
      "expect-lines 414 007 0#7 00* 0** 05*",
      "click 411",
      "click 1",
  }), Recipient("Martin", "0123"), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.record.sendMode, '1');
  EXPECT_EQ(std::string(run.record.relayTerminalId), "5");
  EXPECT_EQ(run.record.printOnRelay, '1');
  EXPECT_EQ(Destinations(run.record), "0070#700*0**05*");
  EXPECT_NE(run.transcript.find("box error ok " + kRelay + " " + kTerminalText), std::string::npos);
}

TEST_F(CommDialog, RefusedDestinationCodes) {
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "click 404",
      "type 412 *5", "click 415",
      "box ok \"Il n'est pas obligatoire d'entrer un chiffre après '*' (composition abrégée) lorsque "
      "vous entrez un numéro de composition abrégée dans la liste des destinations de l'envoi de "
      "télécopie relais.\"",
      "type 412 00", "click 415",
      "box ok \"Un ID de destination (1-99) doit être spécifié pour l'envoi de télécopie relais.\"",
      "click 417",
      "type 412 0", "click 415",
      "box ok \"Un ID de destination groupe (1-9) doit être spécifié pour l'envoi de télécopie relais.\"",
      "type 412 *",
      "expect-text 412 \"\"",
      "expect-lines 414",
      "click 2",
  }), Recipient("Martin", "0123"), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(run.record.destinationCount, 0);
}

TEST_F(CommDialog, TwentiethDestinationDisablesAdd) {
  std::string script = "dialog 104\nclick 404\n";
  for (int i = 1; i <= 20; ++i) script += "type 412 " + std::to_string(i) + "\nclick 415\n";
  script += Lines({
      "expect-disabled 415",
      "select 414 4 9",
      "click 416",
      "expect-enabled 415",
      "expect-selected 414 4",
      "type 410 1",
      "click 1",
  });
  const DialogRun run = RunCommDialog(root(), script, Recipient("Martin", "0123"), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_EQ(run.record.destinationCount, 18);
  EXPECT_EQ(Destinations(run.record).substr(0, 18), "001002003004006007");
}

TEST_F(CommDialog, SwitchingSendModesKeepsTheOtherModesFields) {
  EntryRecord start = Recipient("Martin", "0123");
  start.sendMode = '4';
  std::strcpy(start.mailboxId, "12");
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "expect-checked 403",
      "expect-text 406 12",
      "click 404",
      "expect-unchecked 403",
      "expect-hidden 406",
      "click 404",
      "expect-hidden 410",
      "click 1",
  }), start, false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.record.sendMode, '0');
  EXPECT_EQ(std::string(run.record.mailboxId), "12");
}

TEST_F(CommDialog, FCodeFiltersAndPlainTitleWithoutTheRecipientDialog) {
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "expect-caption \"Paramètres de communication\"",
      "expect-lines 402 \"G3 auto\" F4800 \"G4 auto\"",
      "type 421 1a#2",
      "type 423 1a#*2",
      "expect-text 421 12",
      "click 1",
  }), Recipient("Martin", "0123"), false, false);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(std::string(run.record.fCode), "12");
  EXPECT_EQ(std::string(run.record.fCodePassword), "1#*2");
}

TEST_F(CommDialog, CutG4IndexShowsG3AutoAndOkStoresIt) {
  EntryRecord start = Recipient("Martin", "0123");
  start.transmissionMode = 2;
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "expect-caption \"Paramètres de communication - Martin <0123>\"",
      "expect-lines 402 \"G3 auto\" F4800",
      "expect-selected 402 0",
      "click 1",
  }), start, true, false);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.record.transmissionMode, 0);
}

TEST_F(CommDialog, G4IndexKeptWhenTheDeviceHasTheOption) {
  EntryRecord start = Recipient("Martin", "0123");
  start.transmissionMode = 2;
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "expect-selected 402 2",
      "click 1",
  }), start, true, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.record.transmissionMode, 2);
}

TEST_F(CommDialog, RecordReadFromAFileWithFullSlotsStaysInsideThem) {
  EntryRecord start = Recipient("Martin", "0123");
  start.sendMode = '1';
  std::memcpy(start.relayTerminalId, "123", 3);  // no terminator
  start.destinationCount = 25;                    // past the twenty slots
  std::memset(start.destinationIds, '1', sizeof start.destinationIds);
  start.transmissionMode = 9;
  const DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "expect-text 410 123",
      "expect-selected 402 0",
      "expect-disabled 415",
      "click 2",
  }), start, false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.result, 2);
}

}  // namespace
}  // namespace tq::faxui::testing
