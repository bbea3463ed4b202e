// Fax jobs given with their recipients (qlhost print --to): no dialog runs,
// the recipients pass the recipient dialog's checks, and the job is the one
// the same recipients typed and picked in the dialogs would have made.
#include <gtest/gtest.h>

#include <unistd.h>

#include <regex>

#include "testing/temp_root.h"

namespace {

using tq::testing::ReadText;
using tq::testing::RunProgram;
using tq::testing::WriteText;

class GivenRecipients : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    std::filesystem::copy_file(TELEQUILL_SOURCE_DIR "/examples/phonebooks/bureau.AFD", path("DEFAULT.AFD"));
    WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\nbody");
    ASSERT_EQ(RunProgram("qlhost", {"monitor", "install"}).status, 0);
  }

  tq::testing::RunResult Print(std::vector<std::string> options) {
    std::filesystem::remove(path("out.prn"));
    std::vector<std::string> args = {"print", "--monitor", "on", "--doc-name", "Rapport", "--output",
                                     path("out.prn").string()};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(path("doc.pxl").string());
    // No face is named and none is needed: a prompt would fail the run.
    return RunProgram("qlhost", args, {"TELEQUILL_UI=", "DISPLAY=", "WAYLAND_DISPLAY="});
  }

  // The stream and the last announcement without what differs from one
  // job to the next: the clock and the monitor's job number.
  static std::string Steady(const std::string& text) {
    const std::string timeless = std::regex_replace(text, std::regex("Time [0-9]+:[0-9]{2}:[0-9]{2}"), "Time T");
    return std::regex_replace(std::regex_replace(timeless, std::regex("J[0-9]{4}"), "JN"),
                              std::regex("\"time\":[0-9]+"), "\"time\":T");
  }
  std::string Stream() const { return Steady(ReadText(path("out.prn"))); }
  std::string LastAnnouncement() const {
    const std::string all = ReadText(path("monitor/announcements.jsonl"));
    const auto end = all.find_last_not_of('\n');
    const auto start = all.rfind('\n', end);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    return Steady(all.substr(from, end + 1 - from));
  }
};

TEST_F(GivenRecipients, SameJobAsTheDialogsForTheSameRecipients) {
  // Typed with a name, a named speed-dial number, a group and an entry
  // picked in the phonebook's selection form, and a delayed send.
  WriteText(path("script.txt"),
            "dialog 101\n"
            "type 1001 Dupont\ntype 1004 0145678900\nclick 1006\n"
            "type 1001 Siège\nclick 1027\ntype 1004 12\nclick 1006\nclick 1027\n"
            "click 1010\n"
            "dialog 600\n"
            "selecttext 601 \"[Ventes]\"\nclick 608\n"
            "selecttext 601 \"Cabinet Lemoine <0561998877>\"\nclick 608\n"
            "click 1\n"
            "dialog 101\n"
            "click 1\n"
            "dialog 108\n"
            "click 803\ntype 804 18\ntype 805 30\nclick 801\n");
  const auto prompted = RunProgram(
      "qlhost", {"print", "--monitor", "on", "--doc-name", "Rapport", "--ui", "script:" + path("script.txt").string(),
                 "--output", path("out.prn").string(), path("doc.pxl").string()});
  ASSERT_EQ(prompted.status, 0) << prompted.err;
  const std::string promptedStream = Stream();
  const std::string promptedAnnouncement = LastAnnouncement();
  ASSERT_NE(promptedStream.find("@PJL TELQUL FAXNUM = '012'"), std::string::npos) << promptedStream;

  // The same recipients given as a list, names in another case, the
  // group's members named once more on their own (each is sent to once).
  const auto given = Print({"--to", " Dupont <0145678900> ; Siège <#12>;[ventes];Hélène Martin; cabinet lemoine;",
                            "--delay", "18:30"});
  ASSERT_EQ(given.status, 0) << given.err;
  EXPECT_EQ(Stream(), promptedStream);
  EXPECT_EQ(LastAnnouncement(), promptedAnnouncement);
  EXPECT_NE(promptedAnnouncement.find("Rapport"), std::string::npos) << promptedAnnouncement;
}

TEST_F(GivenRecipients, RefusalsNameTheRecipientAndSendNothing) {
  std::string fifty;
  for (int i = 0; i < 50; ++i) fifty += "01" + std::to_string(10 + i) + ";";
  const std::pair<std::string, std::string> refused[] = {
      {"0145 678", "\"0145 678\": not a fax number"},
      {"0123;01a23", "\"01a23\": not a fax number"},
      {"#201", "\"#201\": not a speed-dial number of the device (1-200)"},
      {"#1*2", "\"#1*2\": not a speed-dial number (the wildcard"},
      {"#1234", "\"#1234\": a speed-dial number has three digits at most"},
      {fifty + "0999", "\"0999\": a fax job takes at most 50 recipients"},
      {"[Ventes];[Direction]", "\"[Direction]\": no such group in the phonebook"},
      {"Durand", "\"Durand\": not a fax number, and no entry of the phonebook"},
      {"Du[pont] <0123>", "\"Du[pont] <0123>\": a recipient's name holds no '[' or ']'"},
      {"[Vide]", "names no recipient"},
      {" ; ", "names no recipient"},
  };
  for (const auto& [list, message] : refused) {
    const auto run = Print({"--to", list});
    EXPECT_EQ(run.status, 3) << list;
    EXPECT_NE(run.err.find(message), std::string::npos) << list << "\n" << run.err;
    EXPECT_FALSE(std::filesystem::exists(path("out.prn"))) << list;
  }
  for (const std::string delay : {"24:00", "7h30", "12:60", ""}) {
    const auto run = Print({"--to", "0123", "--delay", delay});
    EXPECT_NE(run.status, 0) << delay;
    EXPECT_FALSE(std::filesystem::exists(path("out.prn"))) << delay;
  }
  EXPECT_EQ(Print({"--to", std::string(4097, '1')}).status, 2);
  EXPECT_NE(Print({"--to", "0123\n4"}).err.find("control character"), std::string::npos);
  EXPECT_NE(Print({"--to", "0123", "--job", "print"}).err.find("--to sends a fax job"), std::string::npos);
  // Nothing refused reached the monitor either.
  EXPECT_FALSE(std::filesystem::exists(path("monitor/announcements.jsonl")));

  // A phonebook that cannot be read refuses names and groups, not numbers.
  std::filesystem::permissions(path("DEFAULT.AFD"), std::filesystem::perms::none);
  if (::access(path("DEFAULT.AFD").c_str(), R_OK) != 0) {
    const auto run = Print({"--to", "Hélène Martin"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("cannot be read"), std::string::npos) << run.err;
  }
  EXPECT_EQ(Print({"--to", "0123"}).status, 0);
}

}  // namespace
