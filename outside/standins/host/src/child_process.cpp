#include "host/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "win/environment.h"
#include "win/owned_child.h"
#include "win/unique_fd.h"

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

// The program as the shell would find it: a name with a slash as it is,
// else the first executable of that name in PATH's folders; empty if none.
std::string FoundOnPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const std::string folders = EnvironmentValue("PATH").value_or("/usr/local/bin:/usr/bin:/bin");
  for (std::size_t start = 0; start <= folders.size();) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + name;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
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
  const std::string path = options.searchPath ? FoundOnPath(args[0]) : args[0];
  if (path.empty()) {
    outcome.startError = ENOENT;
    return outcome;
  }
  const bool collect = options.captureOutput || options.captureErrors;
  int pipeFds[2] = {-1, -1};
  if (collect && pipe2(pipeFds, O_CLOEXEC) != 0) {
    outcome.startError = errno;
    return outcome;
  }
  const UniqueFd nothing(options.nullInput ? open("/dev/null", O_RDONLY | O_CLOEXEC) : -1);
  ChildStreams streams;
  streams.input = nothing.fd();
  if (options.captureOutput) streams.output = pipeFds[1];
  if (options.captureErrors) streams.errors = pipeFds[1];
  // The child ends with this process: a killed agent takes its job along.
  pid_t child = -1;
  const int spawned = StartOwnedChild(path, args, CurrentEnvironment(), streams, child);
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
