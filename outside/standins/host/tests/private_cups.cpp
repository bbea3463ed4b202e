#include "private_cups.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "loopback_printer.h"
#include "testing/temp_root.h"

extern char** environ;

namespace tq::host::testing {

namespace {

namespace fs = std::filesystem;

constexpr char kTimeLimit[] = "180";
constexpr char kScheduler[] = "/usr/sbin/cupsd";
// The scheduler runs every program through the helpers of this folder.
constexpr char kSystemHelpers[] = "/usr/lib/cups/daemon";

bool Accepts(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

}  // namespace

PrivateCups::PrivateCups(std::string folder, std::string installRoot, std::vector<std::string> jobEnv)
    : folder_(std::move(folder)), installRoot_(std::move(installRoot)), jobEnv_(std::move(jobEnv)) {}

PrivateCups::~PrivateCups() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);  // `timeout` passes it on to cupsd
  waitpid(pid_, nullptr, 0);
}

std::string PrivateCups::server() const { return "127.0.0.1:" + std::to_string(port_); }

std::string PrivateCups::Log() const {
  const std::string log = tq::testing::ReadText(folder_ + "/log/error_log");
  return log.size() > 6000 ? log.substr(log.size() - 6000) : log;
}

void PrivateCups::WriteConfiguration() const {
  for (const char* sub : {"conf/ppd", "spool/tmp", "cache", "state", "log"}) fs::create_directories(folder_ + "/" + sub);
  const std::string serverBin = installRoot_ + "/usr/lib/cups";
  fs::create_directories(serverBin);
  std::error_code exists;
  fs::create_directory_symlink(kSystemHelpers, serverBin + "/daemon", exists);

  // Anyone on loopback may administer it: the test adds and removes queues
  // without a password.
  tq::testing::WriteText(folder_ + "/conf/cupsd.conf",
                         "Listen 127.0.0.1:" + std::to_string(port_) +
                             "\nLogLevel debug\nWebInterface No\nBrowsing Off\nDefaultAuthType None\n"
                             "<Location />\n  Order allow,deny\n  Allow from 127.0.0.1\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  std::string files = "ServerRoot " + folder_ + "/conf\nRequestRoot " + folder_ + "/spool\nTempDir " + folder_ +
                      "/spool/tmp\nCacheDir " + folder_ + "/cache\nStateDir " + folder_ + "/state\nServerBin " +
                      serverBin + "\nDataDir /usr/share/cups\nErrorLog " + folder_ + "/log/error_log\nAccessLog " +
                      folder_ + "/log/access_log\nPageLog " + folder_ + "/log/page_log\n";
  for (const std::string& entry : jobEnv_) {
    const auto equals = entry.find('=');
    files += "SetEnv " + entry.substr(0, equals) + " " + entry.substr(equals + 1) + "\n";
  }
  tq::testing::WriteText(folder_ + "/conf/cups-files.conf", files);
}

bool PrivateCups::Start(std::string& error) {
  if (!fs::exists(kScheduler)) {
    error = std::string(kScheduler) + " is missing (Debian's cups-daemon)";
    return false;
  }
  const int reserved = BoundLoopbackSocket(port_);
  close(reserved);
  WriteConfiguration();

  std::vector<std::string> args = {"timeout", kTimeLimit, kScheduler, "-f", "-c", folder_ + "/conf/cupsd.conf",
                                   "-s", folder_ + "/conf/cups-files.conf"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string output = folder_ + "/log/cupsd.out";
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  const int spawned = posix_spawnp(&pid_, "timeout", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    error = "cannot start cupsd";
    return false;
  }
  for (int i = 0; i < 200; ++i) {
    if (Accepts(port_)) return true;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  error = "cupsd did not start: " + tq::testing::ReadText(output) + Log();
  return false;
}

}  // namespace tq::host::testing
