// Running qlhost as a subprocess in a fresh Windows directory.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
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

// The environment that makes every rename of a program wait `ms` first, so
// that another process can act between its read and its write.
inline std::vector<std::string> RenamesDelayed(int ms) {
  return {"LD_PRELOAD=" TELEQUILL_STEP_DELAY_PRELOAD, "TELEQUILL_TEST_RENAME_DELAY_MS=" + std::to_string(ms)};
}

// Waits (at most 30 seconds) until a file whose name holds `part` is in
// `folder`, as a writer's temporary file shows it is about to rename.
inline bool WaitForFileNamed(const std::filesystem::path& folder, const std::string& part) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.path().filename().string().find(part) != std::string::npos) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

inline int LineCount(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}

}  // namespace tq::host::testing
