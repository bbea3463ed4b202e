#include "peer_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "testing/temp_root.h"
#include "win/user.h"

extern char** environ;

namespace ipctest {

PeerProcess::PeerProcess(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  std::vector<std::string> arguments{IPC_PEER_PROGRAM};
  arguments.insert(arguments.end(), args.begin(), args.end());
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  for (const std::string& extra : env) {
    const std::string name = extra.substr(0, extra.find('=') + 1);
    std::erase_if(environment, [&](const std::string& s) { return s.rfind(name, 0) == 0; });
    environment.push_back(extra);
  }
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
}

PeerProcess::~PeerProcess() { Kill(); }

std::optional<int> PeerProcess::Wait(std::chrono::milliseconds patience) {
  if (pid_ <= 0) return std::nullopt;
  std::optional<int> result;
  WaitUntil([&] {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
    reaped_ = true;
    result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
  }, patience);
  return result;
}

void PeerProcess::Kill() {
  if (pid_ <= 0 || reaped_) return;
  kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  reaped_ = true;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string ChildReport(const std::filesystem::path& root, std::chrono::milliseconds patience) {
  const std::filesystem::path report = root / "child-report.txt";
  if (!WaitUntil([&] { return std::filesystem::exists(report); }, patience)) return {};
  return tq::testing::ReadText(report);
}

HWND WaitForWindow(const std::u16string& title, std::chrono::milliseconds patience) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowW(nullptr, title.c_str())) != nullptr; }, patience);
  return found;
}

std::string ScriptFace(const std::filesystem::path& file, const std::string& script) {
  tq::testing::WriteText(file, script);
  return "script:" + file.string();
}

}  // namespace ipctest
