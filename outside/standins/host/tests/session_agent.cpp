#include "session_agent.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace tq::host::testing {

namespace {

constexpr char kTimeLimit[] = "120";

}  // namespace

SessionAgent::SessionAgent(std::string runtimeFolder, std::string telequillRoot)
    : runtimeFolder_(std::move(runtimeFolder)), telequillRoot_(std::move(telequillRoot)) {}

SessionAgent::~SessionAgent() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);  // `timeout` passes it on to the agent
  waitpid(pid_, nullptr, 0);
}

bool SessionAgent::Start(const std::string& scriptPath) {
  std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + runtimeFolder_, "TELEQUILL_ROOT=" + telequillRoot_};
  if (!busAddress_.empty()) env.push_back("DBUS_SESSION_BUS_ADDRESS=" + busAddress_);
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 && entry.rfind("TELEQUILL_ROOT=", 0) != 0 &&
        entry.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0) {
      env.push_back(entry);
    }
  }
  std::vector<char*> envp;
  for (auto& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = {"timeout", kTimeLimit, std::string(TELEQUILL_BIN_DIR) + "/qlhost", "agent", "--ui",
                                   "script:" + scriptPath};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  if (posix_spawnp(&pid_, "timeout", nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
  for (int i = 0; i < 200; ++i) {
    if (std::filesystem::exists(socketPath())) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace tq::host::testing
