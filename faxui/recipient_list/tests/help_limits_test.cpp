// The help pages say what the dialogs enforce: each limit the
// communication settings topic states is read from the built help file
// and tried on the dialog itself, so a wording that drifts from the
// dialog fails here.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "comm_dialog_run.h"
#include "testing/temp_root.h"

namespace tq::faxui::testing {
namespace {

using HelpLimits = tq::testing::TempRoot;

// The text of the topic `context` of the model's help file.
std::string Topic(int context) {
  const std::string html = tq::testing::ReadText(std::string(TELEQUILL_BIN_DIR) + "/qlhelpn.html");
  const std::string start = "id=\"context-" + std::to_string(context) + "\"";
  const std::size_t at = html.find(start);
  if (at == std::string::npos) return {};
  const std::size_t end = html.find("<h2", at);
  return html.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// The number the topic gives in the first match of `pattern`; -1 when
// the wording is not there.
int Stated(const std::string& topic, const char* pattern) {
  std::smatch match;
  if (!std::regex_search(topic, match, std::regex(pattern))) return -1;
  return std::stoi(match[1].str());
}

EntryRecord Martin() {
  EntryRecord record = DefaultEntryRecord;
  std::strcpy(record.name, "Martin");
  std::strcpy(record.faxNumber, "0123");
  return record;
}

TEST_F(HelpLimits, CommunicationSettingsTopicMatchesTheDialog) {
  const std::string topic = Topic(15508);
  ASSERT_FALSE(topic.empty());
  const int mailboxMax = Stated(topic, R"(boîte aux lettres\s*\(1 à (\d+)\))");
  const int password = Stated(topic, R"(mot de passe d'exactement (\d+) chiffres, ou sans mot de passe)");
  const int terminalMax = Stated(topic, R"(terminal relais \(1 à (\d+)\))");
  const int destinations = Stated(topic, R"(liste \((\d+) au plus\))");
  const int codeLength = Stated(topic, R"(Mot de passe</b> : (\d+) caractères au plus)");
  ASSERT_GT(mailboxMax, 0) << "the topic gives the mailbox range";
  ASSERT_GT(password, 0) << "the topic says the password has exactly so many digits, or none";
  ASSERT_GT(terminalMax, 0);
  ASSERT_GT(destinations, 0);
  ASSERT_GT(codeLength, 0);
  const std::string digits = "123456789012345678901234567890";
  const std::string mailboxBox =
      "box ok \"Un numéro de boîte aux lettres (1 - " + std::to_string(mailboxMax) +
      ") doit être spécifié pour l'envoi de télécopie protégée.\"";
  const std::string passwordBox =
      "box ok \"Un mot de passe à " + std::to_string(password) +
      " chiffres doit être spécifié pour l'envoi de télécopie protégée.\"";
  // Secure send: the mailbox range, and a password of exactly N digits or none.
  DialogRun run = RunCommDialog(root(), Lines({
      "dialog 104",
      "click 403",
      "type 406 " + std::to_string(mailboxMax + 1),
      "click 1",
      mailboxBox,
      "type 406 " + std::to_string(mailboxMax),
      "type 408 " + digits.substr(0, static_cast<std::size_t>(password) + 1),
      "expect-text 408 " + digits.substr(0, static_cast<std::size_t>(password)),
      "type 408 " + digits.substr(0, static_cast<std::size_t>(password) - 1),
      "click 1",
      passwordBox,
      "settext 408 \"\"",
      "type 421 " + digits.substr(0, static_cast<std::size_t>(codeLength) + 1),
      "expect-text 421 " + digits.substr(0, static_cast<std::size_t>(codeLength)),
      "click 1",
  }), Martin(), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(run.result, 1) << "no password is accepted";
  // Relay send: the terminal range and the number of destinations.
  std::string script = "dialog 104\nclick 404\ntype 410 " + std::to_string(terminalMax) + "\n" +
                       "expect-text 410 " + std::to_string(terminalMax) + "\n";
  for (int i = 1; i <= destinations; ++i) script += "type 412 " + std::to_string(i % 100) + "\nclick 415\n";
  script += "expect-disabled 415\nclick 2\n";
  run = RunCommDialog(root(), script, Martin(), false, true);
  ASSERT_EQ(run.status, 0) << run.transcript;
}

}  // namespace
}  // namespace tq::faxui::testing
