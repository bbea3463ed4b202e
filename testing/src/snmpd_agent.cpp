#include "testing/snmpd_agent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace tq::testing {
namespace {

constexpr char kSnmpd[] = "/usr/sbin/snmpd";
constexpr char kPrivate[] = ".1.3.6.1.4.1.32473.2.1.";
constexpr char kInput[] = ".1.3.6.1.2.1.43.8.2.1.";

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool Exited(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, WNOHANG) == pid;
}

}  // namespace

std::string SnmpdConfig(const DeviceConfig& device) {
  std::ostringstream out;
  out << "rocommunity public 127.0.0.0/8\n"
      << "sysobjectid " << device.sysObjectId << "\n"
      << "sysname " << device.sysName << "\n"
      << "syslocation " << device.location << "\n"
      << "syscontact admin\n"
      << "override " << kPrivate << "1.0 integer " << device.faxUnit << "\n"
      << "override " << kPrivate << "2.0 integer " << device.g4Kit << "\n"
      << "override " << kPrivate << "3.0 integer " << device.lineSwitchKit << "\n"
      << "override " << kPrivate << "4.0 integer " << device.maxSpeedDial << "\n"
      << "override " << kPrivate << "5.0 octet_str \"" << device.romVersion << "\"\n"
      << "override " << kPrivate << "10.0 integer " << device.installedOptions << "\n";
  if (device.withTrays) {
    // Tray 1: a removable cassette of 500 sheets, 250 in; tray 2: the manual feeder.
    const struct { int index, type, feed, cross, max, level; const char* name; const char* description; } trays[] = {
        {1, 4, 2970, 2100, 500, 250, "Bandeja 1", "Casete"}, {2, 5, 2970, 2100, 100, -2, "Bypass", "Manual"}};
    for (const auto& tray : trays) {
      const std::string row = "." + std::to_string(tray.index);
      out << "override " << kInput << "2.1" << row << " integer " << tray.type << "\n"
          << "override " << kInput << "4.1" << row << " integer " << tray.feed << "\n"
          << "override " << kInput << "5.1" << row << " integer " << tray.cross << "\n"
          << "override " << kInput << "9.1" << row << " integer " << tray.max << "\n"
          << "override " << kInput << "10.1" << row << " integer " << tray.level << "\n"
          << "override " << kInput << "13.1" << row << " octet_str \"" << tray.name << "\"\n"
          << "override " << kInput << "18.1" << row << " octet_str \"" << tray.description << "\"\n";
    }
  }
  return out.str();
}

unsigned short FreeUdpPort() {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  unsigned short port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  close(fd);
  return port;
}

bool SnmpdAgent::Available() { return access(kSnmpd, X_OK) == 0; }

bool SnmpdAgent::Start(const std::string& folder, const std::vector<std::string>& addresses, unsigned short port,
                       const std::string& config, std::string& error) {
  std::string listen;
  for (const std::string& address : addresses) {
    listen += (listen.empty() ? "" : ",") + std::string("udp:") + address + ":" + std::to_string(port);
  }
  const std::string configPath = folder + "/snmpd.conf";
  const std::string logPath = folder + "/snmpd.log";
  std::ofstream(configPath) << config;
  std::ofstream(logPath).close();
  // snmpd writes its state as <dir>/snmpd.conf: keep it away from ours.
  const std::string persistent = "SNMP_PERSISTENT_DIR=" + folder + "/state";
  std::vector<std::string> args = {kSnmpd, "-f", "-C", "-c", configPath, "-Lf", logPath, "-I", "-smux", listen};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = {persistent, "MIBS="};
  std::vector<char*> envp;
  for (auto& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  if (posix_spawn(&pid_, kSnmpd, nullptr, nullptr, argv.data(), envp.data()) != 0) {
    pid_ = -1;
    error = "snmpd cannot be started";
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (ReadAll(logPath).find("NET-SNMP version") != std::string::npos) return true;
    if (Exited(pid_)) {
      pid_ = -1;
      error = "snmpd stopped: " + ReadAll(logPath);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  error = "snmpd did not start listening in 10 s: " + ReadAll(logPath);
  Stop();
  return false;
}

void SnmpdAgent::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!Exited(pid_)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
}

SilentPort::SilentPort(const std::string& address, unsigned short port) {
  fd_.Reset(socket(AF_INET, SOCK_DGRAM, 0));
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_port = htons(port);
  inet_pton(AF_INET, address.c_str(), &where.sin_addr);
  if (fd_.valid() && bind(fd_.fd(), reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) fd_.Reset();
}

}  // namespace tq::testing
