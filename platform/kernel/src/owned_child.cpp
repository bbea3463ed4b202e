#include "win/owned_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace tq {

namespace {

std::vector<char*> Pointers(const std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  return environment;
}

int StartOwnedChild(const std::string& path, const std::vector<std::string>& args,
                    const std::vector<std::string>& environment, const ChildStreams& streams, pid_t& child) {
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(environment);
  // The exec's error comes back through a pipe that the exec closes.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  const pid_t parent = getpid();
  child = fork();
  if (child < 0) {
    const int error = errno;
    close(report[0]);
    close(report[1]);
    return error;
  }
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);  // the parent died before the line above
    const int targets[3] = {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO};
    const int sources[3] = {streams.input, streams.output, streams.errors};
    for (int i = 0; i < 3; ++i) {
      if (sources[i] >= 0 && dup2(sources[i], targets[i]) < 0) _exit(127);
    }
    execve(path.c_str(), argv.data(), envp.data());
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof error)) {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return error;
  }
  return 0;
}

}  // namespace tq
