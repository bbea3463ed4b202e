// Test support: the peer program run as another process, bounded in time
// and stopped by its own process id; waits that poll with a deadline.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win/types.h"

namespace ipctest {

class PeerProcess {
 public:
  // Starts ipc_window_peer with `args`, in the test's environment plus
  // `env` (NAME=VALUE). The process is killed when the object goes.
  PeerProcess(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  pid_t pid() const { return pid_; }
  // The exit status once it ended within `patience`; nullopt otherwise.
  std::optional<int> Wait(std::chrono::milliseconds patience);
  void Kill();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

// Polls `done` until it holds or `patience` runs out.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience);

// What the peer in child mode wrote to $TELEQUILL_ROOT/child-report.txt,
// once it is there; empty when it did not come within `patience`.
std::string ChildReport(const std::filesystem::path& root, std::chrono::milliseconds patience);

// The top-level window titled `title` once some process shows it.
HWND WaitForWindow(const std::u16string& title, std::chrono::milliseconds patience);

// Writes a script for the headless face and returns TELEQUILL_UI's value.
std::string ScriptFace(const std::filesystem::path& file, const std::string& script);

}  // namespace ipctest
