// Running another program and collecting what it says: Ghostscript for a
// conversion, qlhost itself for the agent's jobs, lpadmin for the queue.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tq::host {

struct ChildOptions {
  bool searchPath = true;        // the first argument may be a bare name found on PATH
  bool captureOutput = false;    // standard output joins the collected messages (else it is inherited)
  bool captureErrors = true;     // standard error is collected (else it is inherited)
  bool nullInput = false;        // standard input from /dev/null
  std::size_t keep = 16384;      // how much of the messages is kept
  std::optional<std::chrono::seconds> timeLimit;  // killed once it has run this long
};

struct ChildOutcome {
  int startError = 0;     // errno of a program that could not be started
  bool timedOut = false;  // stopped at the time limit
  int exitStatus = -1;    // -1 unless it started and exited by itself
  std::string messages;   // the first `keep` bytes of what it wrote

  bool Started() const { return startError == 0; }
  bool Succeeded() const { return Started() && !timedOut && exitStatus == 0; }
};

ChildOutcome RunChild(std::vector<std::string> args, const ChildOptions& options = {});

}  // namespace tq::host
