// A private session bus for a test: its own dbus-daemon listening on a
// socket in the test's folder, and a monitor that writes down every
// desktop notification sent on it. Both run under a time limit and are
// stopped by their own process ids.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace tq::host::testing {

class PrivateSessionBus {
 public:
  explicit PrivateSessionBus(const std::string& folder);
  ~PrivateSessionBus();
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  // True once the bus and its monitor listen.
  bool running() const { return running_; }
  const std::string& address() const { return address_; }
  // The monitor's record of the notifications so far, once it holds
  // `expected` (at most `limit`).
  std::string Notifications(const std::string& expected, std::chrono::milliseconds limit) const;

 private:
  std::string address_;
  std::string record_;
  pid_t daemon_ = -1;
  pid_t monitor_ = -1;
  bool running_ = false;
};

}  // namespace tq::host::testing
