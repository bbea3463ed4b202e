// The scenario harness of the Import application: a stand-in launcher
// dialog (import_launcher) presses its import button, which starts the
// program with WinExec as the plug-in's dialogs do; each process runs its
// own script (TELEQUILL_UI for the launcher, TELEQUILL_CHILD_UI for the
// program it starts), both writing one transcript.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "testing/temp_root.h"

namespace tq::import::testing {

// A name-and-number record of the result file: 31 bytes of name, 31 of fax
// number.
inline std::string NameNumber(const std::string& name, const std::string& fax) {
  std::string record(62, '\0');
  record.replace(0, name.size(), name);
  record.replace(31, fax.size(), fax);
  return record;
}

// The result file's 32-bit count.
inline std::string Count(std::uint32_t count) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  return bytes;
}

class ImportScenario : public tq::testing::TempRoot {
 protected:
  std::string Result() const { return path("DB120000.TMP").string(); }

  // Runs the launcher of `kind` ("recipient" or "phonebook") with its script
  // pressing the import button and waiting for `command`, and `program` (a
  // name in the build's bin folder, or a path) with `script`.
  tq::testing::RunResult Run(const std::string& kind, const std::string& script, int command = 1022,
                             const std::string& program = "qlimportn", std::vector<std::string> env = {}) {
    tq::testing::WriteText(path("launcher.txt"), "click 1018\nwait-command " + std::to_string(command) + " 60\n");
    tq::testing::WriteText(path("import.txt"), script);
    const std::string programPath =
        program.find('/') != std::string::npos ? program : std::string(TELEQUILL_BIN_DIR) + "/" + program;
    env.push_back("TELEQUILL_UI=script:" + path("launcher.txt").string());
    env.push_back("TELEQUILL_CHILD_UI=script:" + path("import.txt").string());
    env.push_back("TELEQUILL_TRANSCRIPT=" + path("transcript.txt").string());
    return tq::testing::RunProgram(std::string(TELEQUILL_BIN_DIR) + "/../tests/import_launcher",
                                   {kind, programPath, Result()}, env);
  }
  std::string Csv(const std::string& text) {
    tq::testing::WriteText(path("input.csv"), text);
    return path("input.csv").string();
  }
  std::string Transcript() const { return tq::testing::ReadText(path("transcript.txt")); }
  void ExpectLauncherTold(int command) {
    EXPECT_EQ(tq::testing::ReadText(path("launcher-report.txt")),
              "command " + std::to_string(command) + "\nenabled yes\ndisabled meanwhile yes\n")
        << Transcript();
  }
};

}  // namespace tq::import::testing
