// `qlhost agent` for the tests, its face driven by an automation script. It
// runs under a time limit and is stopped by its own process id.
#pragma once

#include <sys/types.h>

#include <string>

namespace tq::host::testing {

class SessionAgent {
 public:
  // The agent listens in `runtimeFolder` (its XDG_RUNTIME_DIR) and keeps
  // its settings under `telequillRoot`.
  SessionAgent(std::string runtimeFolder, std::string telequillRoot);
  ~SessionAgent();
  SessionAgent(const SessionAgent&) = delete;
  SessionAgent& operator=(const SessionAgent&) = delete;

  // The session bus it reaches (none by default, whatever the test's own
  // environment says).
  void SetSessionBus(std::string address) { busAddress_ = std::move(address); }
  // Starts it with the script at `scriptPath`; true once its socket is there.
  bool Start(const std::string& scriptPath);
  std::string socketPath() const { return runtimeFolder_ + "/telequill/agent.sock"; }
  // The process that runs the agent under its time limit (the agent is its child).
  pid_t timeLimitPid() const { return pid_; }

 private:
  std::string runtimeFolder_;
  std::string telequillRoot_;
  std::string busAddress_;
  pid_t pid_ = -1;
};

}  // namespace tq::host::testing
