#include "host/user_job.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

namespace tq::host {

namespace {

constexpr int kExitCancelled = 1;
constexpr int kExitRefused = 3;
constexpr int kCannotBecomeUser = 126;
constexpr int kCannotStart = 127;
constexpr std::size_t kMessageLimit = 4096;

// The user's own environment: home, names, a temporary folder the user may
// write (the spooler's is not), and the rest of this one.
std::vector<std::string> UserEnvironment(const passwd& account) {
  std::vector<std::string> env = {std::string("HOME=") + account.pw_dir, std::string("USER=") + account.pw_name,
                                  std::string("LOGNAME=") + account.pw_name, "TMPDIR=/tmp"};
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const std::string_view name = text.substr(0, text.find('='));
    if (name != "HOME" && name != "USER" && name != "LOGNAME" && name != "TMPDIR") env.emplace_back(text);
  }
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// In the child: becomes the user for good, or ends.
void BecomeUser(const passwd& account) {
  if (getuid() == 0 && account.pw_uid != 0) {
    if (initgroups(account.pw_name, account.pw_gid) != 0 || setgid(account.pw_gid) != 0 ||
        setuid(account.pw_uid) != 0) {
      _exit(kCannotBecomeUser);
    }
  }
  if (getuid() != account.pw_uid || geteuid() != account.pw_uid) _exit(kCannotBecomeUser);
}

std::string FirstLine(const std::string& messages) {
  std::string line = messages.substr(0, messages.find('\n'));
  if (line.rfind("qlhost: ", 0) == 0) line.erase(0, 8);
  constexpr std::string_view kLeadIn = "the fax job was refused, nothing was sent: ";
  if (line.rfind(kLeadIn, 0) == 0) line.erase(0, kLeadIn.size());
  return line.empty() ? "the job failed" : line;
}

}  // namespace

AgentAnswer RunJobAsUser(const passwd& account, const std::string& qlhost, const AgentJob& job, int streamOut,
                         std::string& message) {
  std::vector<std::string> args = {qlhost, "print", "--model", job.model, "--to", job.given.to};
  if (!job.given.delay.empty()) args.insert(args.end(), {"--delay", job.given.delay});
  if (!job.name.empty()) args.insert(args.end(), {"--doc-name", job.name});
  if (!job.options.empty()) args.insert(args.end(), {"--set", job.options});
  args.push_back("-");
  std::vector<std::string> env = UserEnvironment(account);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const passwd user = account;
  const pid_t parent = getpid();

  int messages[2];
  if (pipe2(messages, O_CLOEXEC) != 0) {
    message = "cannot run " + qlhost + " (" + std::strerror(errno) + ")";
    return AgentAnswer::Failed;
  }
  const pid_t child = fork();
  if (child == 0) {
    // It never outlives the backend.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(kCannotStart);
    if (dup2(job.document, STDIN_FILENO) < 0 || dup2(streamOut, STDOUT_FILENO) < 0 ||
        dup2(messages[1], STDERR_FILENO) < 0) {
      _exit(kCannotStart);
    }
    BecomeUser(user);
    if (chdir(user.pw_dir) != 0 && chdir("/") != 0) _exit(kCannotStart);
    execve(argv[0], argv.data(), envp.data());
    _exit(kCannotStart);
  }
  close(messages[1]);
  if (child < 0) {
    close(messages[0]);
    message = "cannot start " + qlhost + " (" + std::strerror(errno) + ")";
    return AgentAnswer::Failed;
  }
  std::string said;
  char buffer[1024];
  for (ssize_t got; (got = read(messages[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    if (said.size() < kMessageLimit) said.append(buffer, static_cast<std::size_t>(got));
  }
  close(messages[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  const int exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  switch (exit) {
    case 0: return AgentAnswer::Done;
    case kExitCancelled: message = "the fax job was cancelled"; return AgentAnswer::Cancelled;
    case kExitRefused: message = FirstLine(said); return AgentAnswer::Refused;
    case kCannotBecomeUser: message = "cannot act as user " + std::string(user.pw_name); return AgentAnswer::Failed;
    case kCannotStart: message = "cannot start " + qlhost; return AgentAnswer::Failed;
    default: message = FirstLine(said); return AgentAnswer::Failed;
  }
}

}  // namespace tq::host
