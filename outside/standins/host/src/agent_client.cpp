#include "host/agent_client.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "agent_wire.h"
#include "win/environment.h"
#include "win/unique_fd.h"

namespace tq::host {

std::string RuntimeFoldersRoot() { return EnvironmentValue("TELEQUILL_RUNTIME_ROOT").value_or("/run/user"); }

AgentLookup ConnectToAgent(const std::string& runtimeRoot, uid_t uid, int& connection, std::string& why) {
  connection = -1;
  const std::string user = std::to_string(uid);
  const std::string folderName = runtimeRoot + "/" + user + "/telequill";
  const std::string socketName = folderName + "/agent.sock";
  const auto missing = [&](const std::string& what) {
    why = what + ": no agent is listening";
    return AgentLookup::Missing;
  };
  const auto refused = [&](const std::string& what) {
    why = what;
    return AgentLookup::Refused;
  };
  const UniqueFd root(open(runtimeRoot.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (root.fd() < 0) return missing(runtimeRoot);
  const UniqueFd userFolder(openat(root.fd(), user.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (userFolder.fd() < 0 && errno == ENOENT) return missing(runtimeRoot + "/" + user);
  if (userFolder.fd() < 0) return refused(runtimeRoot + "/" + user + ": refused, not a folder of user " + user);
  const UniqueFd folder(openat(userFolder.fd(), "telequill", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (folder.fd() < 0 && errno == ENOENT) return missing(folderName);
  struct stat info {};
  if (folder.fd() < 0 || fstat(folder.fd(), &info) != 0 || info.st_uid != uid || (info.st_mode & 077) != 0) {
    return refused(folderName + ": refused, not a private folder of user " + user);
  }
  if (fstatat(folder.fd(), "agent.sock", &info, AT_SYMLINK_NOFOLLOW) != 0) return missing(socketName);
  if (!S_ISSOCK(info.st_mode) || info.st_uid != uid) return refused(socketName + ": refused, not a socket of user " + user);

  // Through the folder we hold: its name may change, what we opened may not.
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string viaFolder = "/proc/self/fd/" + std::to_string(folder.fd()) + "/agent.sock";
  std::strcpy(address.sun_path, viaFolder.c_str());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    if (fd >= 0) close(fd);
    why = socketName + ": no agent is listening (" + std::strerror(error) + ")";
    return AgentLookup::Missing;
  }
  // The socket itself may have been swapped for a link to another one:
  // only the user's own agent may get the user's document.
  ucred peer{};
  socklen_t length = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != uid) {
    close(fd);
    return refused(socketName + ": refused, its listener does not run as user " + user);
  }
  connection = fd;
  return AgentLookup::Found;
}

namespace {

// Names, options and reasons travel one to a line; a line end in them
// would start another field.
std::string OneLine(std::string text) {
  for (char& c : text) c = c == '\n' || c == '\r' ? ' ' : c;
  return text;
}

}  // namespace

AgentAnswer SendJobToAgent(int connection, const AgentJob& job, int streamOut, std::string& message) {
  const int fd = connection;
  struct stat info {};
  fstat(job.document, &info);
  const std::string header = "name=" + OneLine(job.name) + "\nmodel=" + OneLine(job.model) +
                             "\noptions=" + OneLine(job.options) + "\nfax-to=" + OneLine(job.given.to) +
                             "\nfax-delay=" + OneLine(job.given.delay) + "\nsize=" + std::to_string(info.st_size) +
                             "\n\n";
  std::uint64_t sent = 0;
  const bool handedIn = wire::WriteAll(fd, header) &&
                        wire::Copy(job.document, fd, static_cast<std::uint64_t>(info.st_size), sent);
  // An agent that cannot take the job answers before it has read it all.
  std::string line;
  if (!wire::ReadLine(fd, line)) {
    message = handedIn ? "the agent went away before it answered" : "the agent went away while the job was handed in";
    return AgentAnswer::Lost;
  }
  const bool refusal = line.rfind("retry ", 0) == 0 || line.rfind("failed ", 0) == 0;
  if (!handedIn && !refusal) {
    message = "the agent went away while the job was handed in";
    return AgentAnswer::Lost;
  }
  if (line == "cancelled") {
    message = "the user cancelled the fax job at its prompt";
    return AgentAnswer::Cancelled;
  }
  if (line.rfind("done ", 0) == 0) {
    const std::uint64_t size = std::strtoull(line.c_str() + 5, nullptr, 10);
    std::uint64_t received = 0;
    if (wire::Copy(fd, streamOut, size, received) && received == size) return AgentAnswer::Done;
    message = "the agent went away during the job";
    return AgentAnswer::Lost;
  }
  if (line.rfind("refused ", 0) == 0) {
    message = line.substr(8);
    return AgentAnswer::Refused;
  }
  if (line.rfind("retry ", 0) == 0) {
    message = line.substr(6);
    return AgentAnswer::Retry;
  }
  message = line.rfind("failed ", 0) == 0 ? line.substr(7) : "the agent answered \"" + line + "\"";
  return AgentAnswer::Failed;
}

void TellAgentOutcome(int connection, bool sent, const std::string& reason) {
  wire::WriteAll(connection, sent ? std::string("sent\n") : "failed " + OneLine(reason) + "\n");
}

}  // namespace tq::host
