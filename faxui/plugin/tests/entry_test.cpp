// The plug-in as the host sees it: loaded with dlopen, its exports found by
// name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/addon_table.h"

namespace tq {
namespace {

using GetFuncTableFn = const AddOnTable* (*)();
using DllInitializeFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);
using ModuleInfoFn = const char* const* (*)();

class LoadedFaxUi : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string path = std::string(TELEQUILL_BIN_DIR) + "/" + GetParam();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (handle_ != nullptr) dlclose(handle_);
  }
  template <typename Fn>
  Fn Export(const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle_, name));
  }
  void* handle_ = nullptr;
};

TEST_P(LoadedFaxUi, TableDescribesTheFaxAddOn) {
  auto getFuncTable = Export<GetFuncTableFn>("GetFuncTable");
  ASSERT_NE(getFuncTable, nullptr);
  const AddOnTable* table = getFuncTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(getFuncTable(), table);  // static, the same at every call

  EXPECT_EQ(table->version, 1235);
  EXPECT_EQ(table->size, static_cast<std::int32_t>(sizeof(AddOnTable)));
  EXPECT_EQ(table->one, 1);
  EXPECT_EQ(table->addOnId, 1388);
  EXPECT_EQ(table->block1Size, 172);
  EXPECT_EQ(table->block2Size, 0);
  EXPECT_EQ(table->block3Size, 11816);
  ASSERT_NE(table->block1Defaults, nullptr);
  EXPECT_EQ(table->block2Defaults, nullptr);
  ASSERT_NE(table->block3Defaults, nullptr);
  EXPECT_EQ(std::memcmp(table->block1Defaults, &DefaultFaxDS, sizeof DefaultFaxDS), 0);
  EXPECT_EQ(std::memcmp(table->block3Defaults, &DefaultFaxSS, sizeof DefaultFaxSS), 0);
  EXPECT_EQ(table->write, nullptr);  // the print stream is the render plug-in's
}

TEST_P(LoadedFaxUi, EntryAndModuleInfo) {
  auto dllInitialize = Export<DllInitializeFn>("DllInitialize");
  ASSERT_NE(dllInitialize, nullptr);
  EXPECT_EQ(dllInitialize(reinterpret_cast<HINSTANCE>(handle_), 1, nullptr), TRUE);
  EXPECT_EQ(dllInitialize(reinterpret_cast<HINSTANCE>(handle_), 0, nullptr), TRUE);

  auto moduleInfo = Export<ModuleInfoFn>("ModuleInfo");
  ASSERT_NE(moduleInfo, nullptr);
  const char* const* lines = moduleInfo();
  ASSERT_NE(lines, nullptr);
  ASSERT_NE(lines[0], nullptr);
  int count = 0;
  while (lines[count] != nullptr && count < 16) ++count;
  EXPECT_EQ(count, 7) << "seven lines and a null pointer";
  EXPECT_STREQ(lines[0], "Module: Printer interface DLL static library");
}

INSTANTIATE_TEST_SUITE_P(BothModels, LoadedFaxUi, ::testing::Values("qlfaxuin.so", "qlfaxuip.so"));

}  // namespace
}  // namespace tq
