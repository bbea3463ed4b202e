// Finding and asking the other processes that have windows.
#include "peers.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "ipc/ipc.h"
#include "socket_io.h"

namespace tq::ipc {
namespace {

// The process id a socket's name gives; nullopt for any other name (the
// temporary names of sockets being set up among them).
std::optional<pid_t> PidOfName(const char* name) {
  const std::string_view text(name);
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
  if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
  return pid;
}

bool ProcessGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

std::string SocketFolder() {
  const std::string runtime = PrivateRuntimeFolder();
  if (runtime.empty()) return {};
  const std::string folder = runtime + "/windows";
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return folder;
}

std::string SocketPath(const std::string& folder, pid_t pid) { return folder + "/" + std::to_string(pid); }

std::vector<pid_t> ListedPeers() {
  std::vector<pid_t> peers;
  const std::string folder = SocketFolder();
  if (folder.empty()) return peers;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return peers;
  const pid_t self = getpid();
  while (const dirent* entry = readdir(listing)) {
    const auto pid = PidOfName(entry->d_name);
    if (pid && *pid != self) peers.push_back(*pid);
  }
  closedir(listing);
  std::sort(peers.begin(), peers.end());
  return peers;
}

std::optional<Answer> Ask(pid_t pid, const Request& request, std::chrono::milliseconds patience) {
  const std::string folder = SocketFolder();
  if (folder.empty()) return std::nullopt;
  const std::string path = SocketPath(folder, pid);
  const Clock::time_point deadline = Clock::now() + patience;
  if (ProcessGone(pid)) {
    unlink(path.c_str());
    return std::nullopt;
  }
  Socket socket = ConnectTo(path, deadline);
  if (!socket.valid()) {
    // Sockets are put in place only once they listen, so a refusal means
    // the process that made it is gone (or its id now names another).
    if (errno == ECONNREFUSED) unlink(path.c_str());
    return std::nullopt;
  }
  if (!WriteAll(socket.fd(), EncodeRequest(request), deadline)) return std::nullopt;
  const auto message = ReadMessage(socket.fd(), kAnswerMagic, deadline);
  if (!message) return std::nullopt;
  return DecodeAnswer(*message);
}

}  // namespace tq::ipc
