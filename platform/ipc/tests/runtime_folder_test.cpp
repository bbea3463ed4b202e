// The private runtime folder and the foreground value handed to children.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "foreign_hooks.h"
#include "ipc/ipc.h"
#include "testing/temp_root.h"

namespace {

using tq::ipc::PrivateRuntimeFolder;

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

class RuntimeFolder : public tq::testing::TempRoot {};

TEST_F(RuntimeFolder, UnderTheWindowsDirectoryAndPrivate) {
  EXPECT_EQ(PrivateRuntimeFolder(), (root() / "run").string());
  EXPECT_EQ(ModeOf(root() / "run"), 0700u);
}

TEST_F(RuntimeFolder, OpenFolderIsTightened) {
  std::filesystem::create_directory(root() / "run");
  chmod((root() / "run").c_str(), 0777);
  EXPECT_EQ(PrivateRuntimeFolder(), (root() / "run").string());
  EXPECT_EQ(ModeOf(root() / "run"), 0700u);
}

TEST_F(RuntimeFolder, SomethingElseInTheWayGivesNone) {
  tq::testing::WriteText(root() / "run", "not a folder");
  EXPECT_EQ(PrivateRuntimeFolder(), "");
  EXPECT_EQ(tq::testing::ReadText(root() / "run"), "not a folder") << "left as it was";
  std::filesystem::remove(root() / "run");
  std::filesystem::create_symlink(root(), root() / "run");
  EXPECT_EQ(PrivateRuntimeFolder(), "") << "a link could lead anywhere";
}

TEST_F(RuntimeFolder, UserRuntimeFolderWithoutAWindowsDirectory) {
  const std::string saved = std::getenv("TELEQUILL_ROOT");
  unsetenv("TELEQUILL_ROOT");
  setenv("XDG_RUNTIME_DIR", (root() / "xdg").c_str(), 1);
  std::filesystem::create_directory(root() / "xdg");
  const std::string folder = PrivateRuntimeFolder();
  unsetenv("XDG_RUNTIME_DIR");
  setenv("TELEQUILL_ROOT", saved.c_str(), 1);
  EXPECT_EQ(folder, (root() / "xdg" / "telequill").string());
  EXPECT_EQ(ModeOf(folder), 0700u);
}

TEST(Foreground, ValueRoundTripAndRejects) {
  using tq::ipc::ParseForeground;
  const auto target = ParseForeground(tq::ipc::FormatForeground({1234, 0x10010, 0xabcdef}));
  ASSERT_TRUE(target);
  EXPECT_EQ(target->pid, 1234);
  EXPECT_EQ(target->handle, 0x10010u);
  EXPECT_EQ(target->token, 0xabcdefu);
  const auto noToken = ParseForeground("77:0x10010");
  ASSERT_TRUE(noToken);
  EXPECT_EQ(noToken->token, 0u);
  for (const char* bad : {"", "77", "77:", "x:0x10", "-5:0x10", "0:0x10", "77:0", "77:zz", "77:0x10:", "77:0x10:q",
                          "77 :0x10", "77:0x10:1:2"}) {
    EXPECT_FALSE(ParseForeground(bad)) << '"' << bad << '"';
  }
}

}  // namespace
