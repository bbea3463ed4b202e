// Running qlhost as a subprocess in a fresh Windows directory.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testing/temp_root.h"

namespace tq::host::testing {

class QlHost : public tq::testing::TempRoot {
 protected:
  tq::testing::RunResult Run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    return tq::testing::RunProgram("qlhost", args, env);
  }

  // A plug-in folder holding the stand-in Fax UI plug-in of `kind` (sound,
  // wrong-id, no-table) as model N's, beside the real render plug-in.
  std::string FakePluginFolder(const std::string& kind) {
    const std::filesystem::path folder = root() / ("plugins-" + kind);
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(std::filesystem::path(FAKE_PLUGIN_DIR) / kind / "qlfaxuin.so",
                                    folder / "qlfaxuin.so");
    std::filesystem::create_symlink(std::filesystem::path(TELEQUILL_BIN_DIR) / "qlfaxgfxn.so",
                                    folder / "qlfaxgfxn.so");
    return folder.string();
  }

  std::string SettingsFile(char model = 'n') const {
    return (root() / "host" / (std::string("document-settings-") + model + ".dat")).string();
  }
};

inline int LineCount(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}

}  // namespace tq::host::testing
