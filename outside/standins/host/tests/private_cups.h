// A private CUPS scheduler for the tests: Debian's cupsd on a free port of
// 127.0.0.1, with its configuration, spool and logs in a folder of the
// test and its programs (backends) taken from an install root, so that the
// backend a test installs there is the one it runs. It runs under a time
// limit and is stopped by its own process id.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tq::host::testing {

class PrivateCups {
 public:
  // `folder` holds the scheduler's files; `installRoot` is the root that
  // TELEQUILL_INSTALL_ROOT names for `qlhost cups install`; `jobEnv`
  // ("NAME=VALUE") is given to the backends it runs.
  PrivateCups(std::string folder, std::string installRoot, std::vector<std::string> jobEnv);
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Starts the scheduler; true once it accepts connections, else `error`
  // says why (with the end of its log).
  bool Start(std::string& error);
  // "127.0.0.1:PORT", for CUPS_SERVER and the clients' -h.
  std::string server() const;
  std::string Log() const;

 private:
  void WriteConfiguration() const;

  std::string folder_;
  std::string installRoot_;
  std::vector<std::string> jobEnv_;
  int port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace tq::host::testing
