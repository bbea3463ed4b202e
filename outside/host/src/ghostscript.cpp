#include "host/ghostscript.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace tq::host {

namespace {

constexpr std::string_view kUniversalExit = "\x1B%-12345X";
// What is kept of Ghostscript's messages: enough for its first error.
constexpr std::size_t kMessageLimit = 16384;

std::string Program() {
  const char* named = std::getenv("TELEQUILL_GS");
  return named != nullptr && *named != '\0' ? named : "gs";
}

// The line that says what went wrong: the first one naming an error, else
// the first one with any text.
std::string FirstErrorLine(const std::string& messages) {
  std::string first;
  std::size_t start = 0;
  while (start < messages.size()) {
    std::size_t end = messages.find('\n', start);
    if (end == std::string::npos) end = messages.size();
    std::string line = messages.substr(start, end - start);
    start = end + 1;
    const auto text = line.find_first_not_of(" \t*\r");
    if (text == std::string::npos) continue;
    line = line.substr(text);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.find("Error") != std::string::npos || line.find("error") != std::string::npos) return line;
    if (first.empty()) first = line;
  }
  return first;
}

// Reads the child's messages until it closes them or the deadline passes.
bool CollectMessages(int fd, std::chrono::steady_clock::time_point deadline, std::string& messages) {
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd entry{fd, POLLIN, 0};
    const int ready = poll(&entry, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return ready < 0;  // an error ends the reading; a time-out fails
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return true;
    if (messages.size() < kMessageLimit) messages.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

bool ConvertWithGhostscript(const std::string& input, const std::string& output, const Conversion& conversion,
                            std::string& error) {
  const std::string program = Program();
  std::vector<std::string> args = {program,
                                   "-q",
                                   "-dNOPAUSE",
                                   "-dBATCH",
                                   "-dSAFER",
                                   "-dPDFSTOPONERROR",
                                   std::string("-sDEVICE=") + (conversion.color ? "pxlcolor" : "pxlmono"),
                                   "-r" + std::to_string(conversion.dpiX) + "x" + std::to_string(conversion.dpiY),
                                   "-sOutputFile=" + output,
                                   "-f",
                                   input};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    error = input + ": cannot start " + program + " (" + std::strerror(errno) + ")";
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  pid_t child = -1;
  const int spawned = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    error = input + ": cannot start " + program + " to convert it (" + std::strerror(spawned) + ")";
    return false;
  }

  std::string messages;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(conversion.timeLimitSeconds);
  const bool finished = CollectMessages(pipeFds[0], deadline, messages);
  close(pipeFds[0]);
  if (!finished) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!finished) {
    error = input + ": the conversion did not finish within " + std::to_string(conversion.timeLimitSeconds) +
            " seconds and was stopped";
    return false;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  const std::string line = FirstErrorLine(messages);
  error = input + ": Ghostscript cannot read it (" + (line.empty() ? "no message" : line) + ")";
  return false;
}

bool FindPageData(std::string_view head, std::string_view tail, std::uint64_t fileSize, PageDataRange& range) {
  std::size_t start = 0;
  if (head.substr(0, kUniversalExit.size()) == kUniversalExit) {
    start = head.find(") HP-PCL XL");
    if (start == std::string_view::npos) start = head.find("( HP-PCL XL");
    if (start == std::string_view::npos) return false;
  } else if (head.substr(0, 11) != ") HP-PCL XL" && head.substr(0, 11) != "( HP-PCL XL") {
    return false;
  }
  std::uint64_t end = fileSize;
  if (start > 0 && tail.size() >= kUniversalExit.size() &&
      tail.substr(tail.size() - kUniversalExit.size()) == kUniversalExit) {
    end -= kUniversalExit.size();
  }
  range.offset = start;
  range.size = end > start ? end - start : 0;
  return true;
}

}  // namespace tq::host
