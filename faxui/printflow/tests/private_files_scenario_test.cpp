// Everything a fax job, a settings change and a phonebook change create in
// the Windows directory is the user's alone: names, numbers, document names
// and the secure-print password are not for other users to read, whatever
// the umask and even when the folder itself is open to them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "testing/temp_root.h"

namespace {

using tq::testing::RunProgram;
using tq::testing::WriteText;

class PrivateFiles : public tq::testing::TempRoot {};

TEST_F(PrivateFiles, FaxJobSettingsAndPhonebookChangesCreateOwnerOnlyFiles) {
  // What the test itself puts there is not looked at.
  const std::set<std::string> ours = {"doc.pxl", "script.txt", "t.txt"};
  WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\n");
  WriteText(path("script.txt"),
            "dialog 101\ntype 1001 Dupont\ntype 1004 0123\nclick 1006\nclick 1\ndialog 108\nclick 801\n");
  std::filesystem::permissions(root(), std::filesystem::perms(0755));
  const mode_t before = umask(0);

  EXPECT_EQ(RunProgram("qlhost", {"settings", "set", "secure-user=dupont", "secure-password=1234"}).status, 0);
  EXPECT_EQ(RunProgram("qlhost", {"monitor", "install"}).status, 0);
  const auto job = RunProgram("qlhost", {"print", "--job", "secure", "--ui", "script:" + path("script.txt").string(),
                                         "--monitor", "on", "--doc-name", "Devis 12", "--output",
                                         path("out.prn").string(), path("doc.pxl").string()},
                              {"TELEQUILL_TRANSCRIPT=" + path("t.txt").string()});
  EXPECT_EQ(job.status, 0) << job.err;
  const auto fax = RunProgram("qlhost", {"print", "--job", "fax", "--ui", "script:" + path("script.txt").string(),
                                         "--monitor", "on", "--output", path("fax.prn").string(),
                                         path("doc.pxl").string()},
                              {"TELEQUILL_TRANSCRIPT=" + path("t.txt").string()});
  EXPECT_EQ(fax.status, 0) << fax.err;
  const std::string book = path("Bureau.AFD").string();
  EXPECT_EQ(RunProgram("qlafd", {"new", book}).status, 0);
  EXPECT_EQ(RunProgram("qlafd", {"add", book, "Dupont", "0123"}).status, 0);
  EXPECT_EQ(RunProgram("qlafd", {"add", book, "Martin", "0456"}).status, 0);
  EXPECT_EQ(RunProgram("qlafd", {"delete", book, "Dupont <0123>"}).status, 0);
  umask(before);

  // The secure job's output holds its hold key, the settings the password.
  EXPECT_TRUE(std::filesystem::exists(path("out.prn")));
  EXPECT_TRUE(std::filesystem::exists(root() / "monitor" / "announcements.jsonl"));
  int looked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root())) {
    const std::string name = entry.path().filename().string();
    if (ours.count(name) != 0) continue;
    struct stat info {};
    ASSERT_EQ(lstat(entry.path().c_str(), &info), 0);
    if (S_ISLNK(info.st_mode)) continue;
    ++looked;
    const mode_t expected = S_ISDIR(info.st_mode) ? 0700 : 0600;
    EXPECT_EQ(info.st_mode & 0777, expected) << entry.path();
  }
  EXPECT_GE(looked, 6);

  // Showing the settings does not print the password.
  const auto show = RunProgram("qlhost", {"settings", "show"});
  EXPECT_EQ(show.out.find("1234"), std::string::npos) << show.out;
  EXPECT_NE(show.out.find("secure-password: (set, not shown)\n"), std::string::npos) << show.out;
}

}  // namespace
