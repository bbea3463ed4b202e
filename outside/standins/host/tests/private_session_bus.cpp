#include "private_session_bus.h"

#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "testing/processes.h"

namespace tq::host::testing {

namespace {

constexpr char kTimeLimit[] = "120";

std::string ReadAll(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);  // `timeout` passes it on
  waitpid(pid, nullptr, 0);
}

}  // namespace

PrivateSessionBus::PrivateSessionBus(const std::string& folder) : record_(folder + "/notifications.txt") {
  const std::string socket = folder + "/bus";
  address_ = "unix:path=" + socket;
  // Through the shell, which finds the programs on PATH.
  daemon_ = tq::testing::StartProgram(
      "/bin/sh", {"-c", "exec timeout " + std::string(kTimeLimit) + " dbus-daemon --session --nofork --address=\"$1\"",
                  "sh", address_});
  for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (daemon_ < 0 || !std::filesystem::exists(socket)) return;
  // The monitor's output goes to the record, a message at a time.
  monitor_ = tq::testing::StartProgram(
      "/bin/sh", {"-c", "exec timeout " + std::string(kTimeLimit) + " dbus-monitor --address \"$1\" "
                        "\"interface='org.freedesktop.Notifications',member='Notify'\" > \"$2\" 2>&1",
                  "sh", address_, record_});
  // It says it became a monitor by the NameAcquired signal it gets first.
  running_ = monitor_ > 0 && !Notifications("NameAcquired", std::chrono::seconds(10)).empty();
}

PrivateSessionBus::~PrivateSessionBus() {
  Stop(monitor_);
  Stop(daemon_);
}

std::string PrivateSessionBus::Notifications(const std::string& expected, std::chrono::milliseconds limit) const {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    std::string text = ReadAll(record_);
    if (text.find(expected) != std::string::npos) return text;
    if (std::chrono::steady_clock::now() >= end) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace tq::host::testing
