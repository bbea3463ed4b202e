#include "testing/processes.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace tq::testing {

namespace {

struct ProcessState {
  std::string name;
  char state = '?';
  pid_t parent = 0;
};

// From /proc/PID/stat: "PID (NAME) STATE PPID ..."; none when gone.
std::optional<ProcessState> StateOf(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(file, text)) return std::nullopt;
  const auto open = text.find('(');
  const auto close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return std::nullopt;
  ProcessState state;
  state.name = text.substr(open + 1, close - open - 1);
  std::istringstream rest(text.substr(close + 1));
  rest >> state.state >> state.parent;
  return state;
}

}  // namespace

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& env) {
  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) envStrings.emplace_back(*e);
  for (const auto& extra : env) {
    const std::string name = extra.substr(0, extra.find('=') + 1);
    std::erase_if(envStrings, [&](const std::string& s) { return s.rfind(name, 0) == 0; });
    envStrings.push_back(extra);
  }
  return envStrings;
}

pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& env) {
  std::string path = program.find('/') == std::string::npos ? std::string(TELEQUILL_BIN_DIR) + "/" + program : program;
  std::vector<std::string> argStrings{path};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<std::string> envStrings = EnvironmentWith(env);
  std::vector<char*> argv, envp;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

std::optional<pid_t> WaitForChild(pid_t parent, const std::string& name, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  do {
    if (DIR* proc = opendir("/proc")) {
      while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0) continue;
        const auto state = StateOf(pid);
        if (state && state->parent == parent && state->name == name && state->state != 'Z') {
          closedir(proc);
          return pid;
        }
      }
      closedir(proc);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

bool WaitUntilEnded(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const auto state = StateOf(pid);
    if (!state || state->state == 'Z' || state->state == 'X') return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace tq::testing
