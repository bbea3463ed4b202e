// Starting a program as a child that never outlives the process that
// started it: the kernel sends it SIGTERM when that process dies. The
// kernel ties this to the calling thread, so call it from a thread that
// lives as long as the process (the windows' thread, the main thread).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tq {

// Descriptors the child gets as its standard input, output and error; -1
// keeps the parent's.
struct ChildStreams {
  int input = -1;
  int output = -1;
  int errors = -1;
};

// Starts `path` (a file path, not looked up) with `args` (args[0] is the
// program's name) and the environment `environment` (NAME=VALUE). Returns 0
// with the child's id in `child`, else the errno of the fork or the exec.
int StartOwnedChild(const std::string& path, const std::vector<std::string>& args,
                    const std::vector<std::string>& environment, const ChildStreams& streams, pid_t& child);

// This process's environment as StartOwnedChild takes it.
std::vector<std::string> CurrentEnvironment();

}  // namespace tq
