// Several qlafd processes change one phonebook at once, some of them killed
// mid-operation: every change reported Ok is in the file, none that failed
// is, and the file stays valid.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <iostream>
#include <random>
#include <set>
#include <algorithm>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "testing/temp_root.h"

extern char** environ;

namespace {

using tq::testing::RunProgram;

// Operations per writer; each is one qlafd process.
constexpr int kRoundsPerWriter = 30;
constexpr int kRoundsWithKills = 30;
constexpr int kRoundsPerCaseTwin = 25;
// A writer refused (the phonebook held by another) tries again, at most
// this many times in all.
constexpr int kRetriesPerWriter = 40;
// One operation in this many is killed, after up to this many microseconds.
constexpr int kKillOneIn = 3;
constexpr int kLongestKillDelayMicros = 4000;

constexpr int kCannotOpen = 1;

std::string Line(const std::string& name, const std::string& fax) { return name + " <" + fax + ">"; }

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  const std::string program = std::string(TELEQUILL_BIN_DIR) + "/qlafd";
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// One writer: its own keys, one change at a time, with what is known of the
// file's contents for those keys.
struct Writer {
  std::string book;
  std::string tag;
  std::set<std::string> present;    // lines that must be in the file
  std::set<std::string> uncertain;  // touched by a killed change: either way
  // A rename whose process was killed: exactly one of the two lines remains.
  std::vector<std::pair<std::string, std::string>> eitherOf;
  int made = 0;
  int ok = 0;
  int refused = 0;
  int killed = 0;

  // The change under way: the line it removes and the one it adds.
  pid_t running = -1;
  std::vector<std::string> args;
  std::string removes;
  std::string adds;

  std::string NewKey(std::string& fax) {
    ++made;
    fax = std::to_string(made);
    return tag + "-" + std::to_string(made);
  }
};

class Writers : public tq::testing::TempRoot {
 protected:
  // Runs the writers together until each has done `rounds` changes.
  void RunTogether(std::vector<Writer>& writers, int rounds, bool kill) {
    std::mt19937 random(20240519u + static_cast<unsigned>(writers.size()) * 7u + (kill ? 1u : 0u));
    std::vector<int> done(writers.size(), 0);
    std::map<pid_t, std::size_t> byPid;
    auto start = [&](std::size_t w) {
      Writer& writer = writers[w];
      writer.removes.clear();
      writer.adds.clear();
      std::vector<std::string> args;
      const int choice = writer.present.empty() ? 0 : static_cast<int>(random() % 3);
      if (choice == 0) {
        std::string fax;
        std::string name = writer.NewKey(fax);
        args = {"add", writer.book, name, fax};
        writer.adds = Line(name, fax);
      } else {
        auto it = writer.present.begin();
        std::advance(it, static_cast<long>(random() % writer.present.size()));
        writer.removes = *it;
        if (choice == 1) {
          args = {"delete", writer.book, writer.removes};
        } else {
          std::string fax;
          std::string name = writer.NewKey(fax);
          args = {"rename", writer.book, writer.removes, name, fax};
          writer.adds = Line(name, fax);
        }
      }
      writer.args = args;
      writer.running = Spawn(args);
      ASSERT_GT(writer.running, 0);
      byPid[writer.running] = w;
    };
    for (std::size_t w = 0; w < writers.size(); ++w) start(w);
    while (!byPid.empty()) {
      if (kill && random() % kKillOneIn == 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(random() % kLongestKillDelayMicros));
        auto victim = byPid.begin();
        std::advance(victim, static_cast<long>(random() % byPid.size()));
        ::kill(victim->first, SIGKILL);
      }
      int status = 0;
      const pid_t pid = waitpid(-1, &status, 0);
      ASSERT_GT(pid, 0);
      auto found = byPid.find(pid);
      ASSERT_NE(found, byPid.end());
      const std::size_t w = found->second;
      byPid.erase(found);
      Writer& writer = writers[w];
      if (WIFSIGNALED(status)) {
        ++writer.killed;
        if (!writer.removes.empty()) writer.present.erase(writer.removes);
        if (!writer.removes.empty() && !writer.adds.empty()) {
          writer.eitherOf.emplace_back(writer.removes, writer.adds);
        } else {
          writer.uncertain.insert(writer.removes.empty() ? writer.adds : writer.removes);
        }
      } else {
        ASSERT_TRUE(WIFEXITED(status));
        const int code = WEXITSTATUS(status);
        if (code == 0) {
          ++writer.ok;
          if (!writer.removes.empty()) writer.present.erase(writer.removes);
          if (!writer.adds.empty()) writer.present.insert(writer.adds);
        } else {
          // Only a phonebook held by another writer may refuse a change;
          // the writer tries again at once, as the other finishes, which
          // is when a change could land in the file being replaced.
          ASSERT_EQ(code, kCannotOpen) << writer.tag;
          ++writer.refused;
          if (writer.refused < kRetriesPerWriter) {
            writer.running = Spawn(writer.args);
            ASSERT_GT(writer.running, 0);
            byPid[writer.running] = w;
            continue;
          }
        }
      }
      if (++done[w] < rounds) start(w);
    }
  }

  // The phonebook is valid and holds exactly what the writers know of.
  void ExpectHolds(const std::string& book, const std::vector<Writer>& writers) {
    auto check = RunProgram("qlafd", {"check", book});
    EXPECT_EQ(check.out, "Ok\n") << check.err;
    auto list = RunProgram("qlafd", {"list", book});
    ASSERT_EQ(list.status, 0) << list.err;
    std::multiset<std::string> lines;
    std::istringstream in(list.out);
    for (std::string line; std::getline(in, line);) lines.insert(line);
    for (const Writer& writer : writers) {
      if (writer.book != book) continue;
      for (const std::string& line : writer.present) EXPECT_EQ(lines.count(line), 1u) << book << ": " << line;
      for (const auto& [from, to] : writer.eitherOf) {
        EXPECT_EQ(lines.count(from) + lines.count(to), 1u) << book << ": " << from << " or " << to;
        lines.erase(from);
        lines.erase(to);
      }
      for (const std::string& line : writer.present) lines.erase(line);
      for (const std::string& line : writer.uncertain) EXPECT_LE(lines.erase(line), 1u) << line;
      std::cout << "  " << writer.tag << " on " << std::filesystem::path(book).filename().string() << ": "
                << writer.ok << " Ok, " << writer.refused << " CannotOpen, " << writer.killed << " killed\n";
    }
    // Nothing the writers did not leave there on purpose.
    for (const std::string& line : lines) {
      bool ours = false;
      for (const Writer& writer : writers) ours = ours || line.rfind(writer.tag + "-", 0) == 0;
      EXPECT_FALSE(ours) << book << ": " << line << " was deleted, renamed or never added";
    }
  }

  std::vector<Writer> MakeWriters(const std::vector<std::string>& books, int count) {
    std::vector<Writer> writers;
    for (int i = 0; i < count; ++i) {
      Writer writer;
      writer.book = books[static_cast<std::size_t>(i) % books.size()];
      writer.tag = "W" + std::to_string(i);
      writers.push_back(writer);
    }
    return writers;
  }

  // A phonebook holding one entry no writer touches.
  std::string Book(const std::string& name) {
    const std::string book = path(name).string();
    EXPECT_EQ(RunProgram("qlafd", {"new", book}).status, 0);
    EXPECT_EQ(RunProgram("qlafd", {"add", book, "Fixe", "0"}).status, 0);
    return book;
  }

  // Temporary files left in the folder.
  std::vector<std::string> Leftovers() {
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(root())) {
      const std::string name = entry.path().filename().string();
      if (name.find(".tmp-") != std::string::npos || name.find(".TMP") != std::string::npos) left.push_back(name);
    }
    return left;
  }
};

TEST_F(Writers, TwoThenThreeWritersLoseNoChange) {
  for (int count : {2, 3}) {
    const std::string book = Book("shared" + std::to_string(count) + ".afd");
    std::vector<Writer> writers = MakeWriters({book}, count);
    RunTogether(writers, kRoundsPerWriter, false);
    ExpectHolds(book, writers);
    EXPECT_EQ(RunProgram("qlafd", {"list", book}).out.find("Fixe <0>"), 0u);
  }
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(Writers, KilledWritersLeaveAValidPhonebookAndNoTemporaryFile) {
  const std::string book = Book("killed.afd");
  std::vector<Writer> writers = MakeWriters({book}, 3);
  RunTogether(writers, kRoundsWithKills, true);
  ExpectHolds(book, writers);
  // The next rewrite removes what the killed ones left, even one that
  // changes nothing (NotFound).
  ASSERT_EQ(RunProgram("qlafd", {"delete", book, "Nobody <0>"}).status, 4);
  EXPECT_EQ(Leftovers(), std::vector<std::string>{});
  ExpectHolds(book, writers);
}

TEST_F(Writers, PhonebooksDifferingInTheExtensionsCaseStayApart) {
  const std::string lower = Book("pb.afd");
  const std::string upper = Book("pb.AFD");
  std::vector<Writer> writers = MakeWriters({lower, upper}, 4);
  RunTogether(writers, kRoundsPerCaseTwin, false);
  ExpectHolds(lower, writers);
  ExpectHolds(upper, writers);
  // Each holds its own writers' entries only.
  const std::string lowerList = RunProgram("qlafd", {"list", lower}).out;
  const std::string upperList = RunProgram("qlafd", {"list", upper}).out;
  for (const char* tag : {"W1-", "W3-"}) EXPECT_EQ(lowerList.find(tag), std::string::npos) << lowerList;
  for (const char* tag : {"W0-", "W2-"}) EXPECT_EQ(upperList.find(tag), std::string::npos) << upperList;
}

// What killed writers leave in a folder is removed by the next writer
// there, an append too, whatever file it was for; a live writer's file,
// another user's file and what is not a regular file stay.
TEST_F(Writers, DeadTemporariesGoWithTheNextChangeAndOnlyOurOwn) {
  const std::string book = Book("pb.afd");
  pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  const std::string d = std::to_string(dead), live = std::to_string(getpid());
  for (const std::string& name : {"pb.afd.tmp-" + d + "-0", "job.prn.tmp-" + d + "-3", "pb.afd.tmp-" + live + "-1",
                                  "notes.tmp-" + d + "-x", "pb.afd.tmp-" + d + "-7"}) {
    tq::testing::WriteText(path(name), "left");
  }
  std::filesystem::create_symlink(book, path("link.afd.tmp-" + d + "-0"));
  const bool root = getuid() == 0;
  if (root) {
    ASSERT_EQ(chown(path("pb.afd.tmp-" + d + "-7").c_str(), 65534, 65534), 0);
  }
  std::vector<std::string> kept = {"link.afd.tmp-" + d + "-0", "notes.tmp-" + d + "-x", "pb.afd.tmp-" + live + "-1"};
  if (root) kept.push_back("pb.afd.tmp-" + d + "-7");
  std::sort(kept.begin(), kept.end());

  ASSERT_EQ(RunProgram("qlafd", {"add", book, "Ajout", "1"}).status, 0);
  auto left = Leftovers();
  std::erase_if(left, [](const std::string& name) { return name.find(".tmp-") == std::string::npos; });
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, kept);
  ASSERT_EQ(RunProgram("qlafd", {"delete", book, "Ajout <1>"}).status, 0);
  left = Leftovers();
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, kept);
}

// Two changes of one entry, the second started half a lock delay after the
// first: every open waits before it locks, so a change that decided on an
// earlier read (and locked again to write) would see the other's read fall
// between its own read and write. A change refused because the other holds
// the file (CannotOpen) is tried again.
class OneEntryTwice : public tq::testing::TempRoot {
 protected:
  static constexpr int kLockDelayMs = 600;

  std::vector<tq::testing::RunResult> RunStaggered(const std::vector<std::string>& first,
                                                   const std::vector<std::string>& second) {
    const std::vector<std::string> env = {"LD_PRELOAD=" TELEQUILL_STEP_DELAY_PRELOAD,
                                          "TELEQUILL_TEST_LOCK_DELAY_MS=" + std::to_string(kLockDelayMs)};
    std::vector<tq::testing::RunResult> results(2);
    auto run = [&](std::size_t i, const std::vector<std::string>& args) {
      if (i == 1) std::this_thread::sleep_for(std::chrono::milliseconds(kLockDelayMs / 2));
      for (int attempt = 0; attempt < 10; ++attempt) {
        results[i] = RunProgram("qlafd", args, env);
        if (results[i].status != kCannotOpen) break;
      }
    };
    std::thread other(run, 1, second);
    run(0, first);
    other.join();
    return results;
  }

  static void ExpectOneWinner(const std::vector<tq::testing::RunResult>& results, const std::string& what) {
    const int okCount = (results[0].status == 0) + (results[1].status == 0);
    EXPECT_EQ(okCount, 1) << what << ": " << results[0].err << results[1].err;
    for (const auto& result : results) {
      if (result.status == 0) continue;
      EXPECT_EQ(result.status, 4) << what << ": " << result.err;
      EXPECT_NE(result.err.find("no such entry"), std::string::npos) << result.err;
    }
  }
};

TEST_F(OneEntryTwice, OfTwoRenamesOrTwoDeletionsExactlyOneSucceeds) {
  const std::string book = path("race.afd").string();
  ASSERT_EQ(RunProgram("qlafd", {"new", book}).status, 0);
  ASSERT_EQ(RunProgram("qlafd", {"add", book, "Dupont", "01"}).status, 0);
  ASSERT_EQ(RunProgram("qlafd", {"add", book, "Martin", "02"}).status, 0);

  auto renames = RunStaggered({"rename", book, "Dupont <01>", "Alpha", "11"},
                              {"rename", book, "Dupont <01>", "Beta", "12"});
  ExpectOneWinner(renames, "rename");
  const std::string winner = renames[0].status == 0 ? "Alpha <11>" : "Beta <12>";
  EXPECT_EQ(RunProgram("qlafd", {"list", book}).out, "Martin <02>\n" + winner + "\n");

  auto deletions = RunStaggered({"delete", book, winner}, {"delete", book, winner});
  ExpectOneWinner(deletions, "delete");
  EXPECT_EQ(RunProgram("qlafd", {"list", book}).out, "Martin <02>\n");
  EXPECT_EQ(RunProgram("qlafd", {"check", book}).status, 0);
}

}  // namespace
