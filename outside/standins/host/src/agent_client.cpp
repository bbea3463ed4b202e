#include "host/agent_client.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "agent_wire.h"

namespace tq::host {

AgentLookup FindAgentSocket(const std::string& runtimeRoot, uid_t uid, std::string& path, std::string& why) {
  const std::string folder = runtimeRoot + "/" + std::to_string(uid) + "/telequill";
  path = folder + "/agent.sock";
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0 || lstat(path.c_str(), &info) != 0) {
    why = path + ": no agent is listening";
    return AgentLookup::Missing;
  }
  lstat(folder.c_str(), &info);
  if (!S_ISDIR(info.st_mode) || info.st_uid != uid || (info.st_mode & 077) != 0) {
    why = folder + ": refused, not a private folder of user " + std::to_string(uid);
    return AgentLookup::Refused;
  }
  lstat(path.c_str(), &info);
  if (!S_ISSOCK(info.st_mode) || info.st_uid != uid) {
    why = path + ": refused, not a socket of user " + std::to_string(uid);
    return AgentLookup::Refused;
  }
  return AgentLookup::Found;
}

AgentAnswer SendJobToAgent(const std::string& socketPath, const AgentJob& job, int streamOut, std::string& message) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socketPath.size() >= sizeof address.sun_path) {
    message = socketPath + ": the name is too long for a socket";
    return AgentAnswer::Lost;
  }
  std::strcpy(address.sun_path, socketPath.c_str());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    message = socketPath + ": no agent is listening (" + std::strerror(errno) + ")";
    if (fd >= 0) close(fd);
    return AgentAnswer::Lost;
  }
  struct stat info {};
  fstat(job.document, &info);
  // Names and options travel one to a line; a line end in them would
  // start another field.
  const auto oneLine = [](std::string text) {
    for (char& c : text) c = c == '\n' || c == '\r' ? ' ' : c;
    return text;
  };
  const std::string header = "name=" + oneLine(job.name) + "\nmodel=" + oneLine(job.model) +
                             "\noptions=" + oneLine(job.options) + "\nfax-to=" + oneLine(job.given.to) +
                             "\nfax-delay=" + oneLine(job.given.delay) + "\nsize=" + std::to_string(info.st_size) +
                             "\n\n";
  std::uint64_t sent = 0;
  const bool handedIn = wire::WriteAll(fd, header) &&
                        wire::Copy(job.document, fd, static_cast<std::uint64_t>(info.st_size), sent);
  std::string line;
  if (!handedIn || !wire::ReadLine(fd, line)) {
    close(fd);
    message = "the agent went away before it answered";
    return AgentAnswer::Lost;
  }
  AgentAnswer answer = AgentAnswer::Failed;
  if (line == "cancelled") {
    message = "the user cancelled the fax job at its prompt";
    answer = AgentAnswer::Cancelled;
  } else if (line.rfind("done ", 0) == 0) {
    const std::uint64_t size = std::strtoull(line.c_str() + 5, nullptr, 10);
    std::uint64_t received = 0;
    if (wire::Copy(fd, streamOut, size, received) && received == size) {
      answer = AgentAnswer::Done;
    } else {
      message = "the agent went away during the job";
      answer = AgentAnswer::Lost;
    }
  } else if (line.rfind("refused ", 0) == 0) {
    message = line.substr(8);
    answer = AgentAnswer::Refused;
  } else {
    message = line.rfind("failed ", 0) == 0 ? line.substr(7) : "the agent answered \"" + line + "\"";
  }
  close(fd);
  return answer;
}

}  // namespace tq::host
