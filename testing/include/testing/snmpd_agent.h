// Debian's snmpd as a device for tests: bound to loopback addresses on a
// free port, configured from text, stopped by its own process id.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "win/unique_fd.h"

namespace tq::testing {

// What one simulated device answers.
struct DeviceConfig {
  std::string sysObjectId;  // the device type
  std::string sysName;
  std::string location = "Sala 2";
  int faxUnit = 1;
  int g4Kit = 0;
  int lineSwitchKit = 0;
  int maxSpeedDial = 200;
  std::string romVersion = "1.07";
  int installedOptions = 0x20;  // duplex module
  bool withTrays = true;        // two trays of the Printer MIB
};

// The snmpd configuration lines for `device` (no agentaddress line).
std::string SnmpdConfig(const DeviceConfig& device);

// A UDP port nobody uses on 127.0.0.1 at the moment of asking.
unsigned short FreeUdpPort();

class SnmpdAgent {
 public:
  SnmpdAgent() = default;
  SnmpdAgent(const SnmpdAgent&) = delete;
  SnmpdAgent& operator=(const SnmpdAgent&) = delete;
  ~SnmpdAgent() { Stop(); }

  static bool Available();  // /usr/sbin/snmpd is there

  // Starts snmpd listening on each of `addresses` (127.0.0.x) at `port`,
  // in `folder` (configuration, log, persistent state). Waits at most 10 s
  // until it listens. False with `error` set otherwise.
  bool Start(const std::string& folder, const std::vector<std::string>& addresses, unsigned short port,
             const std::string& config, std::string& error);
  // SIGTERM to our snmpd, then SIGKILL after 5 s.
  void Stop();

 private:
  pid_t pid_ = -1;
};

// A UDP socket bound to `address`:`port` that reads and never answers.
class SilentPort {
 public:
  SilentPort(const std::string& address, unsigned short port);
  bool ok() const { return fd_.valid(); }

 private:
  UniqueFd fd_;
};

}  // namespace tq::testing
