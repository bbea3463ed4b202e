// The resources of each built plug-in: every template and string its code
// loads is there, with text, and no identifier is given twice (the layer
// would refuse the whole script).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "faxui/resource_ids.h"
#include "win/resource.h"

namespace tq {
namespace {

struct Plugin {
  const char* file;
  const char16_t* helpFile;
  friend void PrintTo(const Plugin& plugin, std::ostream* out) { *out << plugin.file; }
};

class PluginResources : public ::testing::TestWithParam<Plugin> {
 protected:
  void SetUp() override {
    const std::string path = std::string(TELEQUILL_BIN_DIR) + "/" + GetParam().file;
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (handle_ != nullptr) dlclose(handle_);
  }
  HINSTANCE instance() const { return static_cast<HINSTANCE>(handle_); }
  // The script as the module exports it, before the layer checks it.
  const res::ResourceScript* Exported() const {
    using Lookup = const res::ResourceScript* (*)();
    auto lookup = reinterpret_cast<Lookup>(dlsym(handle_, "TelequillResources"));
    return lookup == nullptr ? nullptr : lookup();
  }
  void* handle_ = nullptr;
};

TEST_P(PluginResources, IdentifiersAreUnique) {
  const res::ResourceScript* script = Exported();
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(res::FirstDuplicate(*script), std::nullopt);
  EXPECT_EQ(res::FindResources(instance()), script);
}

TEST_P(PluginResources, EveryLoadedTemplateAndStringExists) {
  for (int id : faxui::kLoadedDialogs) {
    const res::DialogTemplate* dialog = res::FindDialog(instance(), MAKEINTRESOURCEW(id));
    ASSERT_NE(dialog, nullptr) << "dialog " << id;
    EXPECT_FALSE(dialog->controls.empty()) << "dialog " << id;
  }
  for (UINT id : faxui::kLoadedStrings) {
    const res::StringResource* string = res::FindString(instance(), id);
    ASSERT_NE(string, nullptr) << "string " << id;
    ASSERT_NE(string->text, nullptr) << "string " << id;
    EXPECT_NE(string->text[0], u'\0') << "string " << id;
  }
}

TEST_P(PluginResources, ModelNamesItsOwnHelpFile) {
  const res::StringResource* name = res::FindString(instance(), faxui::kHelpFileNameString);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(std::u16string(name->text), GetParam().helpFile);
}

TEST_P(PluginResources, ControlsOfEveryTemplateAreUnique) {
  for (int id : faxui::kLoadedDialogs) {
    const res::DialogTemplate* dialog = res::FindDialog(instance(), MAKEINTRESOURCEW(id));
    ASSERT_NE(dialog, nullptr);
    for (std::size_t i = 0; i < dialog->controls.size(); ++i) {
      const int control = dialog->controls[i].id;
      if (control == -1) continue;  // labels nobody addresses
      for (std::size_t j = i + 1; j < dialog->controls.size(); ++j) {
        EXPECT_NE(dialog->controls[j].id, control) << "dialog " << id << " control " << control;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothModels, PluginResources,
                         ::testing::Values(Plugin{"qlfaxuin.so", u"qlhelpn.HLP"},
                                           Plugin{"qlfaxuip.so", u"qlhelpp.HLP"}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 8); });

}  // namespace
}  // namespace tq
