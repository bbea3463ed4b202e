// The built plug-ins as the host loads them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <regex>
#include <string>

#include "common/host_settings.h"
#include "job_fixture.h"

namespace tq::render {
namespace {

using testing::Recipient;
using testing::TestJob;

struct Closer {
  void operator()(void* handle) const { dlclose(handle); }
};
using Module = std::unique_ptr<void, Closer>;

Module Load(const char* name) {
  const std::string path = std::string(TELEQUILL_BIN_DIR) + "/" + name;
  // Lazy binding: the engine's clock is only resolved when a time is asked.
  void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
  EXPECT_NE(handle, nullptr) << dlerror();
  return Module(handle);
}

using GetFuncTableFn = const AddOnTable* (*)();

// Loads the model's plug-in for each test and finds its table.
class Plugin : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    module_ = Load(GetParam());
    ASSERT_NE(module_, nullptr);
    auto get = reinterpret_cast<GetFuncTableFn>(dlsym(module_.get(), "GetFuncTable"));
    ASSERT_NE(get, nullptr);
    get_ = get;
  }

  void* module() { return module_.get(); }
  const AddOnTable* table() { return get_(); }
  void Write(TestJob& job, std::int32_t event, std::int32_t flag) {
    table()->write(job.device(), job.output(), job.settings(), nullptr, kFaxAddOnId, event, flag,
                   job.options(), nullptr);
  }

 private:
  Module module_;
  GetFuncTableFn get_ = nullptr;
};

TEST_P(Plugin, TableCarriesTheFaxAddOnAndOnlyTheWriteHook) {
  const AddOnTable* table = this->table();
  ASSERT_EQ(table, this->table());  // one static table
  EXPECT_EQ(table->version, 1235);
  EXPECT_EQ(table->one, 1);
  EXPECT_EQ(table->addOnId, 1388);
  EXPECT_EQ(table->block1Size, 172);
  EXPECT_EQ(table->block2Size, 0);
  EXPECT_EQ(table->block3Size, 11816);
  ASSERT_NE(table->block1Defaults, nullptr);
  EXPECT_EQ(std::memcmp(table->block1Defaults, &DefaultFaxDS, sizeof DefaultFaxDS), 0);
  ASSERT_NE(table->block3Defaults, nullptr);
  EXPECT_EQ(std::memcmp(table->block3Defaults, &DefaultFaxSS, sizeof DefaultFaxSS), 0);
  EXPECT_EQ(table->propertyPages, nullptr);
  EXPECT_EQ(table->documentEvent, nullptr);
  EXPECT_NE(table->write, nullptr);
}

TEST_P(Plugin, ExportsNothingButGetFuncTable) {
  for (const char* name : {"AddOnWriteCallback", "DoFaxNumParam", "SPRINTF", "DoTimeString"})
    EXPECT_EQ(dlsym(module(), name), nullptr) << name;
}

TEST_P(Plugin, WriteHookRendersAFaxJobsSettings) {
  TestJob job;
  job.SetField(hsb::kJobMode, hsb::kJobModeFax);
  job.AddRecipient(Recipient("0123"));
  Write(job, 1, 0);
  EXPECT_EQ(job.written(),
            "@PJL TELQUL FAXNUM = 0123{20}{30}\n"
            "@PJL TELQUL FAXRES = FINE\r\n"
            "@PJL TELQUL TXRPT = ONERROR\r\n"
            "@PJL TELQUL TXHDR = ON\n");
}

TEST_P(Plugin, JobStartAndEndCarryTheLocalTime) {
  TestJob job;
  Write(job, 0, 0);
  Write(job, 3, 1);
  const std::regex expected(
      "@PJL COMMENT - Job started at \"Time (1?[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\"\r\n"
      "@PJL JOBINFO ACCTUSER=\"@\"\r\n"
      "@PJL COMMENT - Job ended at \"Time (1?[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\"\r\n");
  EXPECT_TRUE(std::regex_match(job.written(), expected)) << job.written();
}

INSTANTIATE_TEST_SUITE_P(BothModels, Plugin, ::testing::Values("qlfaxgfxn.so", "qlfaxgfxp.so"));

}  // namespace
}  // namespace tq::render
