#include "import_result/result_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "testing/temp_root.h"
#include "win/text.h"

namespace {

using tq::import::WriteNameNumberResult;

tq::RecordKeyList Keys(const std::vector<std::pair<std::string, std::string>>& pairs) {
  tq::RecordKeyList keys;
  for (const auto& [name, number] : pairs) keys.Add(name, number);
  return keys;
}

class ResultFile : public tq::testing::TempRoot {
 protected:
  std::string Written(const std::vector<std::pair<std::string, std::string>>& candidates) {
    const auto file = path("DB101010.TMP");
    EXPECT_EQ(WriteNameNumberResult(tq::Utf8ToUtf16(file.string()), Keys(candidates)), 0u);
    return tq::testing::ReadText(file);
  }
};

// The name and number go to their slots as they are ('<' and '>' included)
// and are cut to 30 bytes; many records go out in slices behind one count.
TEST_F(ResultFile, NameAndNumberGoToTheirSlotsWholeAndCut) {
  const std::string bytes = Written({{"A <b>", "1 2"}, {"0123456789012345678901234567890123", "9"}});
  ASSERT_EQ(bytes.size(), 4u + 2 * 62);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\2\0\0\0", 4));
  EXPECT_EQ(bytes.substr(4, 31), std::string("A <b>") + std::string(26, '\0'));
  EXPECT_EQ(bytes.substr(35, 31), std::string("1 2") + std::string(28, '\0'));
  EXPECT_EQ(bytes.substr(66, 31), std::string("012345678901234567890123456789") + '\0');

  std::vector<std::pair<std::string, std::string>> many(10000);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = {"N" + std::to_string(i), std::to_string(i)};
  const std::string all = Written(many);
  ASSERT_EQ(all.size(), 4u + many.size() * 62);
  EXPECT_EQ(all.substr(0, 4), std::string("\x10\x27\0\0", 4));
  EXPECT_EQ(all.substr(4 + 9999 * 62, 5), std::string("N9999"));
  EXPECT_EQ(Written({}), std::string(4, '\0'));
}

TEST_F(ResultFile, ReplacesAnEarlierFileAndNeverWritesThroughALink) {
  const auto target = path("elsewhere");
  tq::testing::WriteText(target, "keep");
  const auto result = path("DB101010.TMP");
  std::filesystem::create_symlink(target, result);
  ASSERT_EQ(WriteNameNumberResult(tq::Utf8ToUtf16(result.string()), Keys({{"new", "1"}})), 0u);
  EXPECT_FALSE(std::filesystem::is_symlink(result));
  EXPECT_EQ(tq::testing::ReadText(result).substr(4, 3), "new");
  EXPECT_EQ(tq::testing::ReadText(target), "keep");
  struct stat info {};
  ASSERT_EQ(stat(result.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// The reader takes back what the writer wrote, through the one layout.
class TakenResultFile : public tq::testing::TempRoot {
 protected:
  std::u16string File() const { return tq::Utf8ToUtf16(path("DB101010.TMP").string()); }
  void Write(const std::string& bytes) { tq::testing::WriteText(path("DB101010.TMP"), bytes); }
  tq::import::TakenResult Take(tq::import::ResultRecords form = tq::import::ResultRecords::NamesAndNumbers) {
    return tq::import::TakeResultFile(File(), form);
  }
  static std::string Count(std::int32_t count) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &count, 4);
    return bytes;
  }
};

using Status = tq::import::TakenResult::Status;

TEST_F(TakenResultFile, NamesAndNumbersComeBackWithDefaultSettingsAndTheFileGoes) {
  ASSERT_EQ(WriteNameNumberResult(File(), Keys({{"A b", "1 2"}, {"C", "3"}})), 0u);
  const auto taken = Take();
  ASSERT_EQ(taken.status, Status::Read);
  ASSERT_EQ(taken.records.size(), 2u);
  EXPECT_STREQ(taken.records[0].name, "A b");
  EXPECT_STREQ(taken.records[0].faxNumber, "1 2");
  EXPECT_STREQ(taken.records[1].name, "C");
  tq::EntryRecord expected = tq::DefaultEntryRecord;
  std::strcpy(expected.name, "C");
  std::strcpy(expected.faxNumber, "3");
  EXPECT_EQ(std::memcmp(&taken.records[1], &expected, sizeof expected), 0);
  EXPECT_FALSE(std::filesystem::exists(path("DB101010.TMP")));
  EXPECT_EQ(Take().status, Status::Missing);
}

TEST_F(TakenResultFile, CountsAreBelievedOnlyAsFarAsTheRecordsGo) {
  const std::string record = std::string("Nom") + std::string(28, '\0') + "123" + std::string(28, '\0');
  struct Case {
    std::string bytes;
    std::size_t records;
  };
  const Case cases[] = {
      {Count(3) + record + record + record.substr(0, 40), 2},  // cut inside the third
      {Count(-1) + record, 0},
      {Count(0x7FFFFFFF) + record, 1},
      {Count(1).substr(0, 3), 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    Write(c.bytes);
    const auto taken = Take();
    EXPECT_EQ(taken.status, Status::Read);
    EXPECT_EQ(taken.records.size(), c.records) << c.bytes.size();
    EXPECT_FALSE(std::filesystem::exists(path("DB101010.TMP")));
  }
}

TEST_F(TakenResultFile, EntryRecordsAreMadeSafeToUse) {
  tq::EntryRecord record{};
  std::memset(&record, 'x', sizeof record);  // no terminator anywhere
  record.destinationCount = 99;
  record.speedDialFlag = 1;
  Write(Count(1) + std::string(reinterpret_cast<const char*>(&record), sizeof record));
  const auto taken = Take(tq::import::ResultRecords::EntryRecords);
  ASSERT_EQ(taken.records.size(), 1u);
  const tq::EntryRecord& safe = taken.records[0];
  EXPECT_EQ(std::strlen(safe.name), 30u);
  EXPECT_EQ(std::strlen(safe.faxNumber), 30u);
  EXPECT_EQ(std::strlen(safe.mailboxPassword), 6u);
  EXPECT_EQ(std::strlen(safe.fCodePassword), 20u);
  EXPECT_EQ(safe.destinationCount, 20);
  EXPECT_EQ(safe.speedDialFlag, 0);
  EXPECT_EQ(safe.sendMode, 'x');
}

TEST_F(TakenResultFile, ALinkIsRefusedAndRemovedWithoutTouchingItsTarget) {
  const std::string planted = Count(1) + "Intrus" + std::string(25, '\0') + "666" + std::string(28, '\0');
  tq::testing::WriteText(path("elsewhere"), planted);
  std::filesystem::create_symlink(path("elsewhere"), path("DB101010.TMP"));
  const auto taken = Take();
  EXPECT_EQ(taken.status, Status::Refused);
  EXPECT_TRUE(taken.records.empty());
  EXPECT_FALSE(std::filesystem::is_symlink(path("DB101010.TMP")));
  EXPECT_EQ(tq::testing::ReadText(path("elsewhere")), planted);
}

TEST_F(TakenResultFile, AFileOfAnotherUserIsRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
  Write(Count(1) + std::string(62, 'a'));
  ASSERT_EQ(chown(path("DB101010.TMP").c_str(), 65534, 65534), 0);
  EXPECT_EQ(Take().status, Status::Refused);
  EXPECT_FALSE(std::filesystem::exists(path("DB101010.TMP")));
}

}  // namespace
