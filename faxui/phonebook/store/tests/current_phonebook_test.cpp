// Which phonebook is current: the list file, the default phonebook, and
// older files met on the way.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "holder.h"
#include "phonebook/current_phonebook.h"
#include "phonebook/updates.h"
#include "phonebook_bytes.h"

namespace tq::phonebook {
namespace {

using test::Header;
using test::Person;
using test::Wide;

const std::string kOld0000 = "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n";

class Current : public testing::TempRoot {
 protected:
  std::string Native(const std::u16string& path) { return Utf16ToUtf8(path); }
  std::string ListFile() { return test::Read(path("AFD.INI")); }
  // Offers that answer no, and record what they were asked.
  ConversionOffer Decline() {
    return [this](std::u16string_view oldPath, StoreResult version) -> std::optional<std::u16string> {
      offered.emplace_back(Utf16ToUtf8(oldPath), version);
      return std::nullopt;
    };
  }
  std::vector<std::pair<std::string, StoreResult>> offered;
  CurrentPhonebook current;
};

TEST_F(Current, FirstUseCreatesTheDefaultPhonebookAndTheListFile) {
  ASSERT_TRUE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_FALSE(current.unavailable);
  EXPECT_EQ(std::filesystem::path(Native(current.path)), path("DEFAULT.AFD"));
  EXPECT_EQ(std::filesystem::path(Native(current.temporaryPath)), path("DEFAULT.TMP"));
  EXPECT_EQ(test::Read(path("DEFAULT.AFD")), Header());
  EXPECT_EQ(ListFile(), Native(current.path) + "\n");
  EXPECT_TRUE(offered.empty());
}

TEST_F(Current, TheListFileNamesTheCurrentPhonebookEvenWithSpaces) {
  std::filesystem::create_directories(path("Mes documents"));
  auto book = path("Mes documents") / "bureau.AFD";
  test::Write(book, Header() + Person("A", "1"));
  // A list file as every version wrote it: the path and a line feed.
  test::Write(path("AFD.INI"), book.string() + "\n");
  ASSERT_TRUE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_EQ(Native(current.path), book.string());
  EXPECT_FALSE(std::filesystem::exists(path("DEFAULT.AFD")));
  // A carriage return before the line feed is not part of the path.
  test::Write(path("AFD.INI"), book.string() + "\r\n");
  ASSERT_TRUE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_EQ(Native(current.path), book.string());
}

TEST_F(Current, AListFileNamingNoPhonebookFallsBackToTheDefault) {
  for (std::string content : {path("gone.AFD").string() + "\n", path("x.txt").string() + "\n",
                              std::string("no line feed"), std::string("")}) {
    test::Write(path("x.txt"), Header());
    test::Write(path("AFD.INI"), content);
    ASSERT_TRUE(LocateCurrentPhonebook(current, Decline())) << content;
    EXPECT_EQ(std::filesystem::path(Native(current.path)), path("DEFAULT.AFD"));
    EXPECT_EQ(ListFile(), Native(current.path) + "\n");
  }
}

TEST_F(Current, AForeignDefaultIsReplacedButOneInUseIsNot) {
  test::Write(path("DEFAULT.AFD"), "not a phonebook");
  ASSERT_TRUE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_EQ(test::Read(path("DEFAULT.AFD")), Header());

  std::string bytes = Header() + Person("Precious", "1");
  test::Write(path("DEFAULT.AFD"), bytes);
  std::filesystem::remove(path("AFD.INI"));
  {
    test::ChildHolder other(path("DEFAULT.AFD"));
    ASSERT_TRUE(other.held());
    EXPECT_FALSE(LocateCurrentPhonebook(current, Decline()));
    EXPECT_TRUE(current.unavailable);
  }
  EXPECT_EQ(test::Read(path("DEFAULT.AFD")), bytes);
  EXPECT_FALSE(std::filesystem::exists(path("AFD.INI")));
  EXPECT_EQ(std::filesystem::path(Native(current.path)), path("DEFAULT.AFD"));

  chmod(path("DEFAULT.AFD").c_str(), 0444);
  EXPECT_FALSE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_EQ(test::Read(path("DEFAULT.AFD")), bytes);
}

TEST_F(Current, DecliningTheDefaultsConversionLeavesItUnavailableAndUntouched) {
  std::string old = kOld0000 + "{G}\n1\nA|1|||||\n";
  test::Write(path("DEFAULT.AFD"), old);
  test::Write(path("AFD.INI"), path("DEFAULT.AFD").string() + "\n");
  EXPECT_FALSE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_TRUE(current.unavailable);
  // Asked once, for the file the list names, which is the default itself.
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0].second, StoreResult::Version0000);
  EXPECT_EQ(test::Read(path("DEFAULT.AFD")), old);
}

TEST_F(Current, AnOlderListedFileConvertedBecomesCurrent) {
  test::Write(path("vieux.AFD"), kOld0000);
  test::Write(path("AFD.INI"), path("vieux.AFD").string() + "\n");
  auto converted = path("neuf.AFD");
  auto accept = [&](std::u16string_view, StoreResult) -> std::optional<std::u16string> {
    CreateEmptyPhonebook(Wide(converted));
    return Wide(converted);
  };
  ASSERT_TRUE(LocateCurrentPhonebook(current, accept));
  EXPECT_EQ(Native(current.path), converted.string());
  EXPECT_EQ(ListFile(), converted.string() + "\n");
  // Declined, the default phonebook is used and the old file stays.
  test::Write(path("AFD.INI"), path("vieux.AFD").string() + "\n");
  ASSERT_TRUE(LocateCurrentPhonebook(current, Decline()));
  EXPECT_EQ(std::filesystem::path(Native(current.path)), path("DEFAULT.AFD"));
  EXPECT_EQ(test::Read(path("vieux.AFD")), kOld0000);
}

TEST_F(Current, SettingThePhonebookRewritesTheListFile) {
  ASSERT_EQ(SetCurrentPhonebook(current, u"/data/t\u00e9l\u00e9fax.AFD"), StoreResult::Ok);
  EXPECT_EQ(current.temporaryPath, u"/data/t\u00e9l\u00e9fax.TMP");
  EXPECT_EQ(ListFile(), "/data/t\xE9l\xE9" "fax.AFD\n");
  ASSERT_EQ(ReadListFile(), std::optional<std::u16string>(u"/data/t\u00e9l\u00e9fax.AFD"));
  EXPECT_FALSE(std::filesystem::exists(path("AFD.TMP")));
  EXPECT_TRUE(SamePath(u"C:\\Windows\\Default.afd", u"c:/WINDOWS/DEFAULT.AFD"));
  EXPECT_FALSE(SamePath(u"a.afd", u"b.afd"));
}

}  // namespace
}  // namespace tq::phonebook
