// The help file lookup on the real plug-ins: string 700 of each model's
// string table, beside the plug-in's own file.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "faxui/help_file.h"
#include "faxui/module_instance.h"
#include "win/text.h"

namespace tq::faxui {
namespace {

std::string HelpFileOf(const char* plugin) {
  const std::string path = std::string(TELEQUILL_BIN_DIR) + "/" + plugin;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  EXPECT_NE(handle, nullptr) << dlerror();
  if (handle == nullptr) return {};
  char16_t help[kHelpFilePathSize] = {};
  const bool found = FindHelpFile(reinterpret_cast<HINSTANCE>(handle), help);
  dlclose(handle);
  return found ? Utf16ToUtf8(help) : "(none)";
}

TEST(HelpFile, EachModelNamesItsOwnFileBesideThePlugin) {
  EXPECT_EQ(HelpFileOf("qlfaxuin.so"), std::string(TELEQUILL_BIN_DIR) + "/qlhelpn.HLP");
  EXPECT_EQ(HelpFileOf("qlfaxuip.so"), std::string(TELEQUILL_BIN_DIR) + "/qlhelpp.HLP");
}

TEST(HelpFile, NoneWithoutTheString) {
  // The test program has no string table of its own.
  SetModuleInstance(nullptr);
  EXPECT_EQ(ModuleHelpFile(), nullptr);
  char16_t help[kHelpFilePathSize] = {};
  EXPECT_FALSE(FindHelpFile(nullptr, help));
}

}  // namespace
}  // namespace tq::faxui
