// qlafd run as a program, as administrators and scripts run it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "testing/temp_root.h"

namespace {

using tq::testing::ReadText;
using tq::testing::RunProgram;
using tq::testing::WriteText;

const std::string kHeader = "TOVA_KALDE_ORBY_FAX_DATA_FILE_2000\n";

class Qlafd : public tq::testing::TempRoot {
 protected:
  tq::testing::RunResult Run(const std::vector<std::string>& args) { return RunProgram("qlafd", args); }
  std::string File(const std::string& name, const std::string& bytes) {
    WriteText(path(name), bytes);
    return path(name).string();
  }
};

const std::string kBook = kHeader +
                          "\x01" "Soci\xE9t\xE9 \"X\"\x03" "0123\x03" "ACME\x03\x03\x03\x03" "1\x03" "0\x03" "12\x03"
                          "2\x03" "001\x03" "002\x03" "3\x03" "7\x03" "1234\x03" "FC\x03" "PW\x03\x04"
                          "\x02" "Ventes\x03" "Soci\xE9t\xE9 \"X\"\x03" "0123\x03" "Absent\x03" "9\x03\x04";

TEST_F(Qlafd, NewThenListAndCheck) {
  std::string book = path("neuf.AFD").string();
  auto made = Run({"new", book});
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(ReadText(book), kHeader);
  auto again = Run({"new", book});
  EXPECT_NE(again.status, 0);
  EXPECT_NE(again.err.find(book), std::string::npos);

  auto list = Run({"list", File("b.AFD", kBook)});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "Société \"X\" <0123>\n[Ventes]\n");
  auto check = Run({"check", path("b.AFD").string()});
  EXPECT_EQ(check.out, "Ok\n");
  EXPECT_EQ(check.status, 0);
}

TEST_F(Qlafd, CheckNamesTheResultAndExitsWithIt) {
  struct Case {
    std::string name;
    std::string bytes;
    std::string result;
    int status;
  } cases[] = {
      {"empty.AFD", "", "BadFormat", 5},
      {"short.AFD", "TOVA_KALDE", "BadFormat", 5},
      {"foreign.AFD", "SOMETHING_ELSE_ENTIRELY_0123456789\n", "BadFormat", 5},
      {"old.AFD", "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n", "Version0000", 6},
      {"mid.AFD", "TOVA_KALDE_ORBY_FAX_DATA_FILE_1000\n", "Version1000", 7},
      {"cut.AFD", kBook.substr(0, kBook.size() - 1), "BadFormat", 5},  // the end byte lost
      {"big.AFD", kHeader + "\x02" "G\x03" + std::string(17000, 'n') + "\x03" "1\x03\x04", "NoMemory", 2},
      {"book.txt", kBook, "BadFormat", 5},
  };
  for (const Case& c : cases) {
    auto run = Run({"check", File(c.name, c.bytes)});
    EXPECT_EQ(run.out, c.result + "\n") << c.name;
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_NE(run.err.find(c.name), std::string::npos) << c.name << ": " << run.err;
  }
  auto missing = Run({"check", path("missing.AFD").string()});
  EXPECT_EQ(missing.out, "CannotOpen\n");
  EXPECT_EQ(missing.status, 1);
}

TEST_F(Qlafd, DumpGivesEveryFieldAsJson) {
  auto dump = Run({"dump", File("b.AFD", kBook)});
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "{\"file\": \"" + path("b.AFD").string() + "\", \"records\": [\n"
            "  {\"type\": \"individual\", \"name\": \"Société \\\"X\\\"\", \"faxNumber\": \"0123\", "
            "\"company\": \"ACME\", \"telephone\": \"\", \"email\": \"\", \"remarks\": \"\", \"sendMode\": \"1\", "
            "\"printOnRelay\": \"0\", \"relayTerminalId\": \"12\", \"destinationIds\": [\"001\", \"002\"], "
            "\"transmissionMode\": 3, \"mailboxId\": \"7\", \"mailboxPassword\": \"1234\", \"fCode\": \"FC\", "
            "\"fCodePassword\": \"PW\"},\n"
            "  {\"type\": \"group\", \"name\": \"Ventes\", \"members\": [{\"name\": \"Société \\\"X\\\"\", "
            "\"faxNumber\": \"0123\"}, {\"name\": \"Absent\", \"faxNumber\": \"9\"}]}\n"
            "]}\n");
  auto bad = Run({"dump", File("old.AFD", "TOVA_KALDE_ORBY_FAX_DATA_FILE_1000\n")});
  EXPECT_EQ(bad.status, 7);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("old.AFD"), std::string::npos);
}

TEST_F(Qlafd, ConvertWritesANewPhonebookAndKeepsTheOldOne) {
  std::string old = "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n{Ventes}\n1\nDupont [si\xE8ge]|01|||||0|0||0|0||\n"
                    "{Compta}\n1\nDUPONT [SI\xC8GE]|01|||||0|0||0|0||\n";
  std::string from = File("old.afd", old);
  std::string to = path("new.AFD").string();
  auto run = Run({"convert", from, to});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadText(from), old);
  EXPECT_EQ(Run({"list", to}).out, "Dupont (siège) <01>\n[Ventes]\n[Compta]\n");

  auto current = Run({"convert", to, path("again.AFD").string()});
  EXPECT_NE(current.status, 0);
  EXPECT_NE(current.err.find("new.AFD"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path("again.AFD")));
}

TEST_F(Qlafd, TheSamplePhonebookIsTheConversionOfTheOldOne) {
  std::string samples = std::string(TELEQUILL_SOURCE_DIR) + "/examples/phonebooks/";
  std::string to = path("bureau.AFD").string();
  auto run = Run({"convert", samples + "bureau-0000.afd", to});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadText(to), ReadText(samples + "bureau.AFD"));
  EXPECT_EQ(Run({"check", samples + "bureau.AFD"}).out, "Ok\n");
}

TEST_F(Qlafd, AddDeleteAndRenameChangeThePhonebook) {
  std::string book = File("b.AFD", kBook);
  auto added = Run({"add", book, "Martin", "0456"});
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.err, "");
  auto renamed = Run({"rename", book, "Société \"X\" <0123>", "Durand", "0789"});
  ASSERT_EQ(renamed.status, 0) << renamed.err;
  // The renamed entry keeps its details and the group follows it.
  EXPECT_EQ(Run({"list", book}).out, "[Ventes]\nMartin <0456>\nDurand <0789>\n");
  auto dump = Run({"dump", book}).out;
  EXPECT_NE(dump.find("\"company\": \"ACME\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("{\"name\": \"Durand\", \"faxNumber\": \"0789\"}"), std::string::npos) << dump;
  ASSERT_EQ(Run({"delete", book, "[Ventes]"}).status, 0);
  ASSERT_EQ(Run({"delete", book, "Martin <0456>"}).status, 0);
  EXPECT_EQ(Run({"list", book}).out, "Durand <0789>\n");
  EXPECT_EQ(Run({"check", book}).status, 0);

  // Refusals: the result as status, one line naming the file.
  auto missing = Run({"rename", book, "Nobody <1>", "A", "2"});
  EXPECT_EQ(missing.status, 4);
  EXPECT_NE(missing.err.find("b.AFD"), std::string::npos);
  auto old = Run({"add", File("old.AFD", "TOVA_KALDE_ORBY_FAX_DATA_FILE_1000\n"), "A", "1"});
  EXPECT_EQ(old.status, 5);
  EXPECT_EQ(std::count(old.err.begin(), old.err.end(), '\n'), 1);
  EXPECT_NE(old.err.find("old.AFD"), std::string::npos);
  EXPECT_EQ(Run({"add", path("none.AFD").string(), "A", "1"}).status, 1);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"add", book, "", "1"},
                                              {"add", book, "A", std::string(31, '9')},
                                              {"add", book, "A\tB", "1"}}) {
    auto refused = Run(bad);
    EXPECT_EQ(refused.status, 64) << bad[2];
    EXPECT_NE(refused.err.find("b.AFD"), std::string::npos);
  }
  EXPECT_EQ(Run({"list", book}).out, "Durand <0789>\n");
}

TEST_F(Qlafd, EveryListedLineCanBeDeletedAndALineNamingNothingFails) {
  // An individual whose name looks like a group, as another program may
  // have written it: it lists as "[G] <4>" and is deleted by that line.
  std::string book = File("g.AFD", kHeader + "\x01[G]\x03" "4\x03\x04" "\x02G\x03[G]\x03" "4\x03\x04");
  EXPECT_EQ(Run({"list", book}).out, "[G] <4>\n[G]\n");
  // New names that would list like a group are refused.
  for (const auto& args : {std::vector<std::string>{"add", book, "[H]", "5"},
                           std::vector<std::string>{"rename", book, "[G] <4>", "[H", "5"}}) {
    auto refused = Run(args);
    EXPECT_EQ(refused.status, 64) << args[0];
    EXPECT_NE(refused.err.find("begins with ["), std::string::npos) << refused.err;
  }
  auto renamed = Run({"rename", book, "[G] <4>", "Gaston", "4"});
  ASSERT_EQ(renamed.status, 0) << renamed.err;
  EXPECT_EQ(Run({"list", book}).out, "[G]\nGaston <4>\n");
  EXPECT_NE(Run({"dump", book}).out.find("\"members\": [{\"name\": \"Gaston\""), std::string::npos);
  ASSERT_EQ(Run({"delete", book, "Gaston <4>"}).status, 0);
  // The group lost its only member and stays, empty.
  EXPECT_EQ(Run({"list", book}).out, "[G]\n");

  // Lines that name nothing: NotFound with "no such entry", file unchanged.
  const std::string before = ReadText(book);
  for (const auto& args : {std::vector<std::string>{"delete", book, "Gaston <4>"},
                           std::vector<std::string>{"delete", book, "[Nobody]"},
                           std::vector<std::string>{"delete", book, "Dupont <01"},
                           std::vector<std::string>{"rename", book, "Gaston <4>", "A", "1"}}) {
    auto missing = Run(args);
    EXPECT_EQ(missing.status, 4) << args[2];
    EXPECT_NE(missing.err.find("no such entry \"" + args[2] + "\""), std::string::npos) << missing.err;
  }
  EXPECT_EQ(ReadText(book), before);
  ASSERT_EQ(Run({"delete", book, "[G]"}).status, 0);
  EXPECT_EQ(Run({"list", book}).out, "");
}

TEST_F(Qlafd, CheckRefusesFieldsThatWouldListWrongly) {
  // Bytes 0x00 to 0x04 inside a field: what check accepts, list shows as it is.
  for (char stray : {'\x00', '\x01', '\x02'}) {
    for (const char* field : {"ACME", "Ventes", "Absent"}) {
      std::string bytes = kBook;
      bytes.insert(bytes.find(field) + 2, 1, stray);
      auto check = Run({"check", File("stray.AFD", bytes)});
      EXPECT_EQ(check.out, "BadFormat\n") << static_cast<int>(stray) << " in " << field;
      EXPECT_EQ(check.status, 5);
      EXPECT_NE(check.err.find("stray.AFD"), std::string::npos);
    }
  }
}

TEST_F(Qlafd, ConvertingAFileOntoItselfIsRefused) {
  std::string old = "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n{Ventes}\n1\nDupont|01|||||0|0||0|0||\n";
  std::string from = File("self.afd", old);
  std::filesystem::create_hard_link(from, path("link.afd"));
  for (const std::string& to : {from, path("link.afd").string()}) {
    auto run = Run({"convert", from, to});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(to), std::string::npos) << run.err;
    EXPECT_EQ(ReadText(from), old);
  }
}

TEST_F(Qlafd, BadRequestsAreRefusedWithUsage) {
  EXPECT_EQ(Run({}).status, 64);
  EXPECT_EQ(Run({"list"}).status, 64);
  auto unknown = Run({"remove", "x.AFD"});
  EXPECT_EQ(unknown.status, 64);
  EXPECT_NE(unknown.err.find("usage"), std::string::npos);
  EXPECT_EQ(Run({"--help"}).status, 0);
  auto txt = Run({"new", path("x.txt").string()});
  EXPECT_EQ(txt.status, 64);
  EXPECT_FALSE(std::filesystem::exists(path("x.txt")));
}

}  // namespace
