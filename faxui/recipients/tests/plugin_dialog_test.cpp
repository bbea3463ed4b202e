// The two dialogs as the built plug-ins carry them: exported by name, with
// their templates, strings and help file in the plug-in.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "scripted_dialog.h"
#include "testing/temp_root.h"

namespace tq::faxui::testing {
namespace {

class PluginDialogs : public tq::testing::TempRoot, public ::testing::WithParamInterface<const char*> {};

TEST_P(PluginDialogs, RecipientAndCommSettingsWithHelp) {
  const std::string model = GetParam();
  const DialogRun run = RunPluginRecipientDialog(root(), Lines({
      "dialog 101",
      "type 1001 Dupont",
      "type 1004 0123",
      "click 1006",
      "click 1017",
      "click 1005",
      "dialog 104",
      "expect-lines 402 \"G3 auto\" F4800",
      "click 424",
      "click 1",
      "dialog 101",
      "click 1",
  }), "qlfaxui" + model + ".so");
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_EQ(run.result, 1) << run.transcript;
  ASSERT_EQ(run.recipients.block.count, 1);
  const std::string help = "\"[^\"]*qlhelp" + model + "\\.HLP\"";
  const std::regex expected(
      "dialog 101 open \"Destinataire du fax\"\n"
      "help " + help + " context 15500\n"
      "dialog 104 open \"Paramètres de communication - Dupont <0123>\"\n"
      "help " + help + " context 15508\n"
      "help " + help + " quit\n"
      "dialog 104 end 1\n"
      "help " + help + " quit\n"
      "dialog 101 end 1\n");
  EXPECT_TRUE(std::regex_match(run.transcript, expected)) << run.transcript;
}

INSTANTIATE_TEST_SUITE_P(BothModels, PluginDialogs, ::testing::Values("n", "p"));

}  // namespace
}  // namespace tq::faxui::testing
