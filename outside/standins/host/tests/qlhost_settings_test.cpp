// qlhost settings, and how qlhost meets plug-ins it cannot use.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "qlhost_fixture.h"

namespace tq::host::testing {
namespace {

using tq::testing::ReadBytes;
using tq::testing::WriteBytes;

using QlHostSettings = QlHost;

TEST_F(QlHostSettings, ShowDecodesTheDefaultsOfModelN) {
  const auto run = Run({"settings", "show"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "model: n\n"
            "resolution: fine\n"
            "report: on-error\n"
            "header: on\n"
            "recipients: none\n"
            "job-mode: fax\n"
            "fax-feature: 1\n"
            "g4: 0\n"
            "speed-dial-range: 200\n"
            "monitor: 0\n"
            "copies: 1\n"
            "tray: 0 (centre output tray)\n" "paper-size: a4\n" "orientation: portrait\n"
            "secure-user: \"\"\n"
            "secure-password: \"\"\n"
            "secure-doc-name: \"\"\n");
  EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "showing writes nothing";
}

TEST_F(QlHostSettings, SetKeepsEachModelsSettings) {
  auto run = Run({"settings", "set", "copies=3", "secure-user=Dupont", "job-mode=secure", "speed-dial-range=999"});
  ASSERT_EQ(run.status, 0) << run.err;
  run = Run({"settings", "--model", "n", "show"});
  EXPECT_NE(run.out.find("copies: 3\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("secure-user: \"Dupont\"\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("job-mode: secure\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("speed-dial-range: 999\n"), std::string::npos) << run.out;

  run = Run({"settings", "--model", "p", "show"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("model: p\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("copies: 1\n"), std::string::npos) << run.out;
  EXPECT_FALSE(std::filesystem::exists(SettingsFile('p')));
}

TEST_F(QlHostSettings, ConcurrentSetsKeepEveryChange) {
  // Each writer's rename waits, so all three read before any writes unless
  // a change is read, made and written as one step.
  const std::vector<std::string> changes = {"copies=7", "tray=2", "secure-user=Dupont"};
  std::vector<tq::testing::RunResult> runs(changes.size());
  std::vector<std::thread> writers;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    writers.emplace_back([&, i] { runs[i] = Run({"settings", "set", changes[i]}, RenamesDelayed(400)); });
  }
  for (auto& writer : writers) writer.join();
  for (const auto& run : runs) EXPECT_EQ(run.status, 0) << run.err;
  const std::string shown = Run({"settings", "show"}).out;
  for (const char* line : {"copies: 7\n", "tray: 2 ", "secure-user: \"Dupont\"\n"}) {
    EXPECT_NE(shown.find(line), std::string::npos) << line << " lost:\n" << shown;
  }
}

TEST_F(QlHostSettings, BadAssignmentsAreRefusedAndNothingIsWritten) {
  ASSERT_EQ(Run({"settings", "set", "copies=2"}).status, 0);
  const auto before = ReadBytes(SettingsFile());
  for (const char* assignment : {"colour=red", "copies=zero", "g4"}) {
    const auto run = Run({"settings", "set", assignment});
    EXPECT_NE(run.status, 0) << assignment;
    EXPECT_EQ(LineCount(run.err), 1) << run.err;
  }
  // All the assignments of one command, or none.
  EXPECT_NE(Run({"settings", "set", "copies=5", "tray=9"}).status, 0);
  EXPECT_EQ(ReadBytes(SettingsFile()), before);
}

TEST_F(QlHostSettings, ForeignOrTruncatedFilesAreRefusedAndLeftAsTheyWere) {
  ASSERT_EQ(Run({"settings", "set", "copies=2"}).status, 0);
  const auto good = ReadBytes(SettingsFile());
  const std::vector<unsigned char> foreign = {'<', '?', 'x', 'm', 'l', '>', '\n'};
  const std::vector<unsigned char> truncated(good.begin(), good.end() - 100);
  for (const auto& bytes : {foreign, truncated}) {
    WriteBytes(SettingsFile(), bytes);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"settings", "show"},
                                                 std::vector<std::string>{"settings", "set", "copies=4"},
                                                 std::vector<std::string>{"print", "--output", "x.prn", "doc"}}) {
      const auto run = Run(args);
      EXPECT_NE(run.status, 0) << args[1];
      EXPECT_NE(run.err.find(SettingsFile()), std::string::npos) << run.err;
      EXPECT_EQ(LineCount(run.err), 1) << run.err;
      EXPECT_EQ(ReadBytes(SettingsFile()), bytes);
    }
  }
}

TEST_F(QlHostSettings, FifosAndHugeFilesAreRefusedWithoutReadingThem) {
  std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
  // A FIFO would block a reader for ever; a sparse gigabyte would be read whole.
  ASSERT_EQ(mkfifo(SettingsFile().c_str(), 0600), 0);
  auto run = Run({"settings", "show"});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
  std::filesystem::remove(SettingsFile());
  {
    std::FILE* big = std::fopen(SettingsFile().c_str(), "w");
    ASSERT_NE(big, nullptr);
    ASSERT_EQ(ftruncate(fileno(big), 1L << 30), 0);
    std::fclose(big);
  }
  run = Run({"settings", "show"});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("too large"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(SettingsFile()), std::string::npos) << run.err;
}

TEST_F(QlHostSettings, ThePasswordIsNeverShownAndItsFileIsPrivate) {
  ASSERT_EQ(Run({"settings", "set", "secure-password=4321"}).status, 0);
  const auto run = Run({"settings", "show"});
  EXPECT_EQ(run.out.find("4321"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("secure-password: (set, not shown)\n"), std::string::npos) << run.out;
  struct stat info {};
  ASSERT_EQ(stat(SettingsFile().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(QlHostSettings, PluginProblemsGiveOneLineNamingTheFile) {
  std::filesystem::create_directories(path("empty"));
  auto run = Run({"settings", "show"}, {"TELEQUILL_PLUGIN_DIR=" + path("empty").string()});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.err, "qlhost: " + path("empty").string() + "/qlfaxuin.so: plug-in not found\n");
  EXPECT_EQ(run.out, "");

  const std::string wrongId = FakePluginFolder("wrong-id");
  run = Run({"settings", "show"}, {"TELEQUILL_PLUGIN_DIR=" + wrongId});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.err, "qlhost: " + wrongId + "/qlfaxuin.so: carries add-on identifier 1389, not 1388\n");

  const std::string noTable = FakePluginFolder("no-table");
  run = Run({"settings", "show"}, {"TELEQUILL_PLUGIN_DIR=" + noTable});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.err, "qlhost: " + noTable + "/qlfaxuin.so: not a fax add-on (it has no GetFuncTable)\n");

  // A file that is no library at all.
  std::filesystem::create_directories(path("junk"));
  tq::testing::WriteText(path("junk") / "qlfaxuin.so", "not a library");
  run = Run({"settings", "show"}, {"TELEQUILL_PLUGIN_DIR=" + path("junk").string()});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.err.rfind("qlhost: " + path("junk").string() + "/qlfaxuin.so: cannot be loaded", 0), 0u) << run.err;
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
}

TEST_F(QlHostSettings, UsageMistakesAreNamed) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"settings"}, {"settings", "list"}, {"settings", "--model", "x", "show"},
        {"settings", "--colour", "red", "show"}, {"fax"}}) {
    const auto run = Run(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("qlhost: ", 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace tq::host::testing
