#include "host/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace tq::host {

namespace {

// Reads the child's messages until it closes them or the deadline passes;
// false when the deadline passed first.
bool CollectMessages(int fd, std::optional<std::chrono::steady_clock::time_point> deadline, std::size_t keep,
                     std::string& messages) {
  char buffer[4096];
  for (;;) {
    int wait = -1;
    if (deadline) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      wait = static_cast<int>(left.count());
    }
    pollfd entry{fd, POLLIN, 0};
    const int ready = poll(&entry, 1, wait);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return false;
    if (ready < 0) return true;  // nothing more can be read: wait for the child's end
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return true;
    if (messages.size() < keep) messages.append(buffer, std::min(static_cast<std::size_t>(got), keep - messages.size()));
  }
}

int WaitFor(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ChildOutcome RunChild(std::vector<std::string> args, const ChildOptions& options) {
  ChildOutcome outcome;
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const bool collect = options.captureOutput || options.captureErrors;
  int pipeFds[2] = {-1, -1};
  if (collect && pipe2(pipeFds, O_CLOEXEC) != 0) {
    outcome.startError = errno;
    return outcome;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (options.nullInput) posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (options.captureOutput) posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  if (options.captureErrors) posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  pid_t child = -1;
  const int spawned = options.searchPath
                          ? posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ)
                          : posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (collect) close(pipeFds[1]);
  if (spawned != 0) {
    if (collect) close(pipeFds[0]);
    outcome.startError = spawned;
    return outcome;
  }

  std::optional<std::chrono::steady_clock::time_point> deadline;
  if (options.timeLimit) deadline = std::chrono::steady_clock::now() + *options.timeLimit;
  if (collect) {
    outcome.timedOut = !CollectMessages(pipeFds[0], deadline, options.keep, outcome.messages);
    close(pipeFds[0]);
  }
  if (outcome.timedOut) kill(child, SIGKILL);
  const int status = WaitFor(child);
  if (!outcome.timedOut) outcome.exitStatus = status;
  return outcome;
}

}  // namespace tq::host
