// Test support for tests about processes: starting a program without
// waiting for it, finding the children it starts and seeing them end.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tq::testing {

// The test's environment with `env` (NAME=VALUE entries) replacing or
// adding variables, as the programs a test runs get it.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& env);

// Starts a program of the build's bin folder (or a path) with the test's
// environment plus `env`, its output thrown away; -1 when it cannot start.
// The caller waits for it (waitpid).
pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& env = {});

// The first child of `parent` whose command name is `name`, once one runs
// (at most `limit`).
std::optional<pid_t> WaitForChild(pid_t parent, const std::string& name, std::chrono::milliseconds limit);

// True once the process has ended (gone, or a zombie nobody reaped yet)
// within `limit`.
bool WaitUntilEnded(pid_t pid, std::chrono::milliseconds limit);

}  // namespace tq::testing
