// Both models' plug-ins as the host loads them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/plugin_set.h"

namespace tq::host {
namespace {

class BothPlugins : public ::testing::TestWithParam<Model> {};

TEST_P(BothPlugins, TablesAgreeOnTheFaxAddOn) {
  PluginSet plugins;
  std::string error;
  ASSERT_TRUE(plugins.Load(GetParam(), TELEQUILL_BIN_DIR, error)) << error;
  const AddOnTable& ui = *plugins.ui().table;
  const AddOnTable& render = *plugins.render().table;
  // Offsets 0 to 24: version, size, constant, identifier, three block sizes.
  EXPECT_EQ(std::memcmp(&ui, &render, offsetof(AddOnTable, block3Size) + 4), 0);
  EXPECT_EQ(ui.addOnId, 1388);
  EXPECT_EQ(std::memcmp(ui.block1Defaults, render.block1Defaults, sizeof(FaxOptionsBlock)), 0);
  EXPECT_EQ(std::memcmp(ui.block3Defaults, render.block3Defaults, sizeof(FaxSendBlock)), 0);
  EXPECT_EQ(ui.block2Defaults, nullptr);
  EXPECT_EQ(render.block2Defaults, nullptr);
  // Each plug-in fills only its own hooks.
  EXPECT_EQ(ui.write, nullptr);
  EXPECT_NE(render.write, nullptr);
  EXPECT_EQ(render.propertyPages, nullptr);
  EXPECT_EQ(render.documentEvent, nullptr);
}

TEST(BothModels, TablesOfTheTwoModelsAgree) {
  PluginSet n, p;
  std::string error;
  ASSERT_TRUE(n.Load(Model::N, TELEQUILL_BIN_DIR, error)) << error;
  ASSERT_TRUE(p.Load(Model::P, TELEQUILL_BIN_DIR, error)) << error;
  EXPECT_EQ(std::memcmp(n.ui().table, p.render().table, offsetof(AddOnTable, block3Size) + 4), 0);
  EXPECT_EQ(std::memcmp(n.ui().table->block1Defaults, p.render().table->block1Defaults, sizeof(FaxOptionsBlock)),
            0);
}

INSTANTIATE_TEST_SUITE_P(Models, BothPlugins, ::testing::Values(Model::N, Model::P),
                         [](const auto& info) { return std::string(1, ModelLetter(info.param)); });

TEST(PluginSet, MissingPluginsNameTheFile) {
  PluginSet plugins;
  std::string error;
  EXPECT_FALSE(plugins.Load(Model::N, "/nonexistent-folder", error));
  EXPECT_EQ(error, "/nonexistent-folder/qlfaxuin.so: plug-in not found");
  EXPECT_EQ(plugins.ui().handle, nullptr);
}

TEST(CheckAddOnTable, RefusesAnotherIdentifierOrOtherSizes) {
  AddOnTable table = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  EXPECT_EQ(CheckAddOnTable(table), "");

  AddOnTable other = table;
  other.addOnId = 1389;
  EXPECT_EQ(CheckAddOnTable(other), "carries add-on identifier 1389, not 1388");

  other = table;
  other.block3Size = 11804;
  EXPECT_NE(CheckAddOnTable(other), "");
  other = table;
  other.block2Size = 4;
  EXPECT_NE(CheckAddOnTable(other), "");
  other = table;
  other.size = 88 - 4;
  EXPECT_NE(CheckAddOnTable(other), "");
  other = table;
  other.block3Defaults = nullptr;
  EXPECT_NE(CheckAddOnTable(other), "");
}

}  // namespace
}  // namespace tq::host
