// The host's settings block: its layout, the named options and the file the
// document settings are kept in.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/host_settings.h"
#include "host/host_options.h"
#include "host/print_job.h"
#include "host/settings_store.h"
#include "testing/temp_root.h"
#include "win/faults.h"

namespace tq::host {
namespace {

using tq::testing::ReadBytes;
using tq::testing::WriteBytes;

class Settings : public tq::testing::TempRoot {
 protected:
  const AddOnTable table = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  const SettingsLayout layout = LayoutFor(table);
  SettingsBlock block = NewSettings(table, layout);

  int PrivateField(std::size_t offset) const { return ReadInt32(block.data() + layout.privateArea, offset); }
  int PublicField(std::size_t offset) const { return hsb::Field(block.data(), offset); }
  void Set(const char* name, const char* value) {
    std::string error;
    ASSERT_TRUE(ApplySetting(block, layout, name, value, error)) << error;
  }
  void Refused(const char* name, const char* value) {
    const SettingsBlock before = block;
    std::string error;
    EXPECT_FALSE(ApplySetting(block, layout, name, value, error)) << name << "=" << value;
    EXPECT_NE(error.find(name), std::string::npos) << error;
    EXPECT_EQ(block, before);
  }
};

TEST_F(Settings, AreasAndBlocksLieWhereTheOffsetsSay) {
  EXPECT_EQ(static_cast<std::size_t>(PublicField(hsb::kPrivateAreaOffset)), layout.privateArea);
  EXPECT_EQ(static_cast<std::size_t>(PublicField(hsb::kJobStateOffset)), layout.jobState);
  EXPECT_GE(layout.privateArea, hsb::kDocumentMonitor + 4);
  EXPECT_GE(layout.jobState, layout.privateArea + hsb::priv::kMinimumSize);
  EXPECT_GE(layout.block1, layout.jobState + hsb::jobstate::kMinimumSize);
  EXPECT_GE(layout.block3, layout.block1 + sizeof(FaxOptionsBlock));
  EXPECT_LE(layout.block3 + sizeof(FaxSendBlock), layout.size);
  const AddOnControlBlock mcb = ControlBlockFor(&table, layout);
  EXPECT_EQ(mcb.table, &table);
  EXPECT_EQ(static_cast<std::size_t>(mcb.block1Offset), layout.block1);
  EXPECT_EQ(static_cast<std::size_t>(mcb.block3Offset), layout.block3);
}

TEST_F(Settings, NewSettingsStartFromTheTablesDefaults) {
  const FaxOptionsBlock* options = OptionsOf(block, layout);
  EXPECT_EQ(options->resolution, kResFine);
  EXPECT_EQ(options->report, kReportOnError);
  EXPECT_EQ(options->header, 1);
  EXPECT_EQ(options->jobMode, 3);
  EXPECT_EQ(std::memcmp(SendOf(block, layout), &DefaultFaxSS, sizeof DefaultFaxSS), 0);
  EXPECT_EQ(PublicField(hsb::kJobMode), 3);
  EXPECT_EQ(PublicField(hsb::kCopies), 1);
  EXPECT_EQ(PrivateField(hsb::priv::kFaxFeature), 1);
  EXPECT_EQ(PrivateField(hsb::priv::kG4Option), 0);
  EXPECT_EQ(PrivateField(hsb::priv::kSpeedDialRange), 0);
  EXPECT_EQ(block.data()[layout.privateArea + hsb::priv::kAccountUser], 0);
}

TEST_F(Settings, NamedOptionsReachTheirFields) {
  Set("job-mode", "secure");
  EXPECT_EQ(PublicField(hsb::kJobMode), 1);
  EXPECT_EQ(OptionsOf(block, layout)->jobMode, 1);
  Set("job-mode", "print");
  EXPECT_EQ(PublicField(hsb::kJobMode), 0);
  EXPECT_EQ(OptionsOf(block, layout)->jobMode, 0);
  Set("fax-feature", "0");
  EXPECT_EQ(PrivateField(hsb::priv::kFaxFeature), 0);
  Set("g4", "1");
  EXPECT_EQ(PrivateField(hsb::priv::kG4Option), 1);
  Set("speed-dial-range", "999");
  EXPECT_NE(PrivateField(hsb::priv::kSpeedDialRange), 0);
  Set("monitor", "on");
  EXPECT_EQ(PublicField(hsb::kDocumentMonitor), 1);
  Set("copies", "999");
  EXPECT_EQ(PublicField(hsb::kCopies), 999);
  Set("tray", "3");
  EXPECT_EQ(PublicField(hsb::kOutputTray), 3);
  Set("resolution", "ultrafine");
  EXPECT_EQ(OptionsOf(block, layout)->resolution, kResUltrafine);
  Set("secure-user", "abcdefghijklmnopqrstuvwx");  // 24, the most
  EXPECT_STREQ(OptionsOf(block, layout)->userId, "abcdefghijklmnopqrstuvwx");
  Set("secure-password", "1234");
  EXPECT_STREQ(OptionsOf(block, layout)->password, "1234");
  Set("secure-doc-name", "Facture été");  // stored in code page 1252
  EXPECT_STREQ(OptionsOf(block, layout)->docName, "Facture \xE9t\xE9");
  Set("secure-doc-name", "");
  EXPECT_STREQ(OptionsOf(block, layout)->docName, "");
}

TEST_F(Settings, BadNamesAndValuesChangeNothing) {
  Refused("colour", "red");
  Refused("job-mode", "Fax");
  Refused("copies", "0");
  Refused("copies", "1000");
  Refused("copies", "-1");
  Refused("copies", "");
  Refused("tray", "4");
  Refused("g4", "2");
  Refused("speed-dial-range", "500");
  Refused("secure-user", "abcdefghijklmnopqrstuvwxy");  // 25
  Refused("secure-password", "12345");
  Refused("secure-user", "a\"b");
  Refused("secure-doc-name", "line\r\nbreak");
  Refused("secure-doc-name", "電話帳");  // not in code page 1252

  std::string error;
  EXPECT_FALSE(ApplyAssignment(block, layout, "copies", error));
  EXPECT_FALSE(ApplyAssignment(block, layout, "=3", error));
  EXPECT_TRUE(ApplyAssignment(block, layout, "copies=2", error)) << error;
}

TEST_F(Settings, DescriptionShowsDamagedValuesAsSuch) {
  OptionsOf(block, layout)->resolution = 9;
  hsb::SetField(block.data(), hsb::kOutputTray, 7);
  hsb::SetField(block.data(), hsb::kJobMode, 12);  // any other mode is a print job
  const std::string text = DescribeSettings(block, layout);
  EXPECT_NE(text.find("resolution: 9 (unknown)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("tray: 7 (unknown)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("job-mode: print\n"), std::string::npos) << text;
}

TEST_F(Settings, ValuesReadBackInTheFormTheyAreSetIn) {
  Set("secure-password", "0042");
  Set("job-mode", "sample");
  Set("g4", "on");
  Set("copies", "12");
  EXPECT_EQ(SettingValue(block, layout, "secure-password"), "0042");  // the pages show it masked
  EXPECT_EQ(SettingValue(block, layout, "job-mode"), "sample");
  EXPECT_EQ(SettingValue(block, layout, "g4"), "1");
  EXPECT_EQ(SettingValue(block, layout, "copies"), "12");
  EXPECT_EQ(SettingValue(block, layout, "secure-user"), "");
  EXPECT_EQ(SettingValue(block, layout, "no-such-setting"), "");
  hsb::SetField(block.data(), hsb::kJobMode, 12);
  EXPECT_EQ(SettingValue(block, layout, "job-mode"), "print");
}

TEST_F(Settings, StoredSettingsComeBackAsTheyWere) {
  const std::string file = SettingsPath(Model::P);
  SettingsBlock loaded;
  std::string error;
  EXPECT_EQ(LoadSettings(file, Model::P, layout, loaded, error), LoadResult::Missing);
  Set("copies", "7");
  ASSERT_TRUE(SaveSettings(file, Model::P, block, error)) << error;
  ASSERT_EQ(LoadSettings(file, Model::P, layout, loaded, error), LoadResult::Loaded) << error;
  EXPECT_EQ(loaded, block);
  EXPECT_EQ(file, (root() / "host" / "document-settings-p.dat").string());
  // It may hold a secure-print password.
  EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(Settings, AFailedSaveLeavesThePreviousFileAsItWas) {
  const std::string file = SettingsPath(Model::N);
  std::string error;
  Set("copies", "3");
  ASSERT_TRUE(SaveSettings(file, Model::N, block, error)) << error;
  const auto before = ReadBytes(file);
  Set("copies", "9");
  for (FileFault fault : {FileFault::Write, FileFault::Flush, FileFault::Rename}) {
    FailNthFileOperation(fault, 1);
    error.clear();
    EXPECT_FALSE(SaveSettings(file, Model::N, block, error)) << static_cast<int>(fault);
    ClearFileFaults();
    EXPECT_EQ(error, file + ": cannot be written (disk full)");
    EXPECT_EQ(ReadBytes(file), before);
    // Nothing but the settings file is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root() / "host")) ++entries;
    EXPECT_EQ(entries, 1);
  }
}

TEST_F(Settings, DamagedOrForeignFilesAreRefused) {
  const std::string file = SettingsPath(Model::N);
  std::string error;
  ASSERT_TRUE(SaveSettings(file, Model::N, block, error)) << error;
  const std::vector<unsigned char> good = ReadBytes(file);

  const auto refused = [&](const std::vector<unsigned char>& bytes, Model model, const char* why) {
    WriteBytes(file, bytes);
    SettingsBlock loaded;
    std::string message;
    EXPECT_EQ(LoadSettings(file, model, layout, loaded, message), LoadResult::Refused) << why;
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_TRUE(loaded.empty()) << why;
  };
  refused({}, Model::N, "empty");
  refused({good.begin(), good.begin() + 5}, Model::N, "inside the magic");
  refused({good.begin(), good.begin() + 20}, Model::N, "inside the header");
  refused({good.begin(), good.end() - 1}, Model::N, "last byte lost");
  std::vector<unsigned char> longer = good;
  longer.push_back(0);
  refused(longer, Model::N, "a byte too many");
  std::vector<unsigned char> foreign = good;
  foreign[0] = 'X';
  refused(foreign, Model::N, "another magic");
  refused(good, Model::P, "another model");
  std::vector<unsigned char> resized = good;
  WriteInt32(resized.data(), 16, static_cast<std::int32_t>(layout.size + 8));
  resized.resize(resized.size() + 8);
  refused(resized, Model::N, "another layout");
  std::vector<unsigned char> moved = good;
  WriteInt32(moved.data() + 24, hsb::kPrivateAreaOffset, 100000);
  refused(moved, Model::N, "area outside the block");
}

TEST_F(Settings, JobSettingsTakeThisJobsOptionsAndAFreshSendBlock) {
  SendOf(block, layout)->recipients.count = 3;  // left from an earlier job
  block[layout.jobState + hsb::jobstate::kSkipFaxFlow] = 1;
  PrintRequest request;
  request.overrides = {{"job-mode", "sample"}, {"copies", "4"}};
  SettingsBlock job;
  std::string error;
  ASSERT_TRUE(PrepareJobSettings(block, table, layout, request, job, error)) << error;
  EXPECT_EQ(hsb::Field(job.data(), hsb::kJobMode), 2);
  EXPECT_EQ(OptionsOf(job, layout)->jobMode, 2);
  EXPECT_EQ(hsb::Field(job.data(), hsb::kCopies), 4);
  EXPECT_EQ(hsb::Field(job.data(), hsb::kCopiesHostFlag), 1);
  EXPECT_EQ(SendOf(job, layout)->recipients.count, 0);
  EXPECT_EQ(job[layout.jobState + hsb::jobstate::kSkipFaxFlow], 0);
  EXPECT_EQ(PublicField(hsb::kJobMode), 3) << "the document settings stay as they are";

  request.overrides = {{"copies", "1"}};
  ASSERT_TRUE(PrepareJobSettings(block, table, layout, request, job, error)) << error;
  EXPECT_EQ(hsb::Field(job.data(), hsb::kCopiesHostFlag), 0);
  EXPECT_EQ(hsb::Field(job.data(), hsb::kHostCount), 0);

  request.overrides = {{"tray", "9"}};
  EXPECT_FALSE(PrepareJobSettings(block, table, layout, request, job, error));
  EXPECT_NE(error.find("tray"), std::string::npos);
}

}  // namespace
}  // namespace tq::host
