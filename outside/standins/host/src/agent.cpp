#include "host/agent.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>
#include <sstream>
#include <string_view>
#include <vector>

#include "agent_wire.h"
#include "host/agent_client.h"
#include "host/child_process.h"
#include "host/desktop_notice.h"
#include "win/environment.h"
#include "win/unique_fd.h"

namespace tq::host {

namespace {

constexpr int kExitCancelled = 1;
constexpr int kExitRefused = 3;

// The agent's folder in the session's runtime folder. Without
// XDG_RUNTIME_DIR, the user's folder under /run/user when the system made
// it for this user (nobody else can create one there); never a shared name
// that another user could take first.
bool RuntimeFolder(std::string& folder, std::string& error) {
  if (const auto runtime = EnvironmentValue("XDG_RUNTIME_DIR")) {
    folder = *runtime + "/telequill";
    return true;
  }
  const std::string userFolder = RuntimeFoldersRoot() + "/" + std::to_string(getuid());
  const UniqueFd opened(open(userFolder.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (opened.fd() >= 0 && fstat(opened.fd(), &info) == 0 && info.st_uid == getuid() && (info.st_mode & 077) == 0) {
    folder = userFolder + "/telequill";
    return true;
  }
  error = "XDG_RUNTIME_DIR is not set and " + userFolder +
          " is not this user's private runtime folder; start the agent in a login session that sets XDG_RUNTIME_DIR";
  return false;
}

// Only the user's own processes and root (the CUPS backend) may hand jobs in.
bool PeerAllowed(int connection) {
  ucred peer{};
  socklen_t length = sizeof peer;
  if (getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0) return false;
  return peer.uid == getuid() || peer.uid == 0;
}

// A new private file (mode 0600) in the agent's folder; its name in `name`.
int PrivateFile(const std::string& folder, std::string& name) {
  name = folder + "/job-" + std::to_string(getpid()) + "-XXXXXX";
  return mkostemp(name.data(), O_CLOEXEC);
}

// Runs the print flow on the spooled document; the exit status of qlhost.
int RunPrint(const std::string& program, const std::map<std::string, std::string>& fields, const std::string& document,
             const std::string& output, std::string& messages) {
  std::vector<std::string> args = {program, "print", "--model", fields.count("model") ? fields.at("model") : "n",
                                   "--output", output};
  if (fields.count("name") && !fields.at("name").empty()) args.insert(args.end(), {"--doc-name", fields.at("name")});
  if (fields.count("options") && !fields.at("options").empty()) args.insert(args.end(), {"--set", fields.at("options")});
  // Recipients given with the job: qlhost sends it without the prompt.
  if (fields.count("fax-to") && !fields.at("fax-to").empty()) {
    args.insert(args.end(), {"--to", fields.at("fax-to")});
    if (fields.count("fax-delay") && !fields.at("fax-delay").empty()) {
      args.insert(args.end(), {"--delay", fields.at("fax-delay")});
    }
  }
  args.push_back(document);
  ChildOptions options;
  options.searchPath = false;
  options.keep = 4096;
  ChildOutcome outcome = RunChild(std::move(args), options);
  messages = outcome.Started() ? std::move(outcome.messages) : "cannot start " + program;
  return outcome.exitStatus;
}

std::string FirstLine(std::string text) {
  if (const auto end = text.find('\n'); end != std::string::npos) text.resize(end);
  if (text.rfind("qlhost: ", 0) == 0) text.erase(0, 8);
  return text.empty() ? "the job failed" : text;
}

// What qlhost said of a refused job, without its lead-in.
std::string RefusalOf(const std::string& messages) {
  std::string text = FirstLine(messages);
  constexpr std::string_view kLeadIn = "the fax job was refused, nothing was sent: ";
  if (text.rfind(kLeadIn, 0) == 0) text.erase(0, kLeadIn.size());
  return text;
}

// Why a job could not be kept: "retry" (the job is tried again later) for a
// full folder, "failed" otherwise.
std::string NoRoomAnswer(const std::string& folder, int error) {
  const bool full = error == ENOSPC || error == EDQUOT;
  return std::string(full ? "retry " : "failed ") + "the agent's folder " + folder + " cannot keep the job (" +
         std::strerror(error) + ")\n";
}

// The recipients of a fax stream: its FAXNUM lines, one for each, in the
// PJL before the page description. The header is read a block at a time up
// to the page description, so a large job costs no more than its header.
int RecipientsOf(int stream) {
  constexpr std::size_t kHeaderLimit = 1 << 20;
  constexpr std::size_t kBlock = 16 * 1024;
  constexpr std::string_view kFaxNumber = "@PJL TELQUL FAXNUM = ";
  constexpr std::string_view kPageDescription = "@PJL ENTER LANGUAGE";
  std::string header;
  std::size_t language = std::string::npos;
  while (language == std::string::npos && header.size() < kHeaderLimit) {
    const std::size_t start = header.size();
    header.resize(start + kBlock);
    const ssize_t got = pread(stream, header.data() + start, kBlock, static_cast<off_t>(start));
    header.resize(start + (got > 0 ? static_cast<std::size_t>(got) : 0));
    if (got <= 0) break;
    // Only the new block, and the tail of the last one the line may begin in.
    language = header.find(kPageDescription, start < kPageDescription.size() ? 0 : start - kPageDescription.size());
  }
  if (language != std::string::npos) header.resize(language);
  int count = 0;
  for (std::size_t at = header.find(kFaxNumber); at != std::string::npos; at = header.find(kFaxNumber, at + 1)) ++count;
  return count;
}

// How long the agent waits for the backend to say what the device did:
// longer than the backend's attempts to reach a device that refuses.
constexpr int kOutcomeWaitMilliseconds = 30 * 60 * 1000;

// Waits (bounded) for the backend's outcome line and tells the user; a
// backend that closes without one (an older one) tells nothing.
void NoticeOutcome(UniqueFd connection, const std::string& title, int recipients) {
  pollfd ready{connection.fd(), POLLIN, 0};
  int polled;
  while ((polled = poll(&ready, 1, kOutcomeWaitMilliseconds)) < 0 && errno == EINTR) {
  }
  std::string line;
  if (polled <= 0 || !wire::ReadLine(connection.fd(), line)) return;
  if (line == "sent") {
    ShowDesktopNotice(SentNotice(title, recipients));
  } else if (line.rfind("failed ", 0) == 0) {
    ShowDesktopNotice(FailedNotice(title, line.substr(7), true));
  }
}

// Tells the user why the job did not leave; the answer goes to the backend.
void AnswerNotSent(int connection, const std::string& title, const std::string& answer) {
  wire::WriteAll(connection, answer);
  const bool held = answer.rfind("retry ", 0) == 0;
  std::string reason = answer.substr(answer.find(' ') + 1);
  if (!reason.empty() && reason.back() == '\n') reason.pop_back();
  ShowDesktopNotice(FailedNotice(title, reason, held));
}

void ServeJob(UniqueFd connectionFd, const std::string& program, const std::string& folder) {
  const int connection = connectionFd.fd();
  std::map<std::string, std::string> fields;
  std::string line;
  bool tooLong = false;
  while (wire::ReadLine(connection, line, wire::kLineLimit, &tooLong) && !line.empty()) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) fields[line.substr(0, equals)] = line.substr(equals + 1);
  }
  if (tooLong) {
    wire::WriteAll(connection, "failed a line of the job's request is longer than " +
                                   std::to_string(wire::kLineLimit) + " bytes\n");
    return;
  }
  if (!line.empty() || fields.count("size") == 0) return;  // not a whole request
  const std::uint64_t size = std::strtoull(fields["size"].c_str(), nullptr, 10);
  const std::string title = fields["name"];

  std::string documentName, outputName;
  UniqueFd document(PrivateFile(folder, documentName));
  if (document.fd() < 0) {
    AnswerNotSent(connection, title, NoRoomAnswer(folder, errno));
    return;
  }
  std::uint64_t received = 0;
  bool writeFailed = false;
  const bool whole = wire::Copy(connection, document.fd(), size, received, &writeFailed);
  if (writeFailed) {
    const int error = errno;
    unlink(documentName.c_str());
    AnswerNotSent(connection, title, NoRoomAnswer(folder, error));
    return;
  }
  if (!whole || received != size) {
    unlink(documentName.c_str());
    wire::WriteAll(connection, "failed the job's document did not arrive whole\n");
    return;
  }
  outputName = documentName + ".prn";
  std::string messages;
  const int status = RunPrint(program, fields, documentName, outputName, messages);
  unlink(documentName.c_str());
  if (status == kExitCancelled) {
    wire::WriteAll(connection, "cancelled\n");
    return;
  }
  if (status == kExitRefused) {
    AnswerNotSent(connection, title, "refused " + RefusalOf(messages) + "\n");
    return;
  }
  UniqueFd output(status == 0 ? open(outputName.c_str(), O_RDONLY | O_CLOEXEC) : -1);
  unlink(outputName.c_str());
  struct stat info {};
  if (output.fd() < 0 || fstat(output.fd(), &info) != 0) {
    AnswerNotSent(connection, title, "failed " + FirstLine(messages) + "\n");
    return;
  }
  const int recipients = RecipientsOf(output.fd());
  std::uint64_t sent = 0;
  if (wire::WriteAll(connection, "done " + std::to_string(info.st_size) + "\n") &&
      wire::Copy(output.fd(), connection, static_cast<std::uint64_t>(info.st_size), sent)) {
    // The next job's prompt need not wait for this one's device.
    std::thread(NoticeOutcome, std::move(connectionFd), title, recipients).detach();
  }
}

// Job files of agents that were killed: named job-PID-..., removed once
// that agent no longer runs.
void RemoveDeadJobFiles(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.rfind("job-", 0) != 0) continue;
    const long pid = std::strtol(name.c_str() + 4, nullptr, 10);
    if (pid > 0 && pid != getpid() && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      unlinkat(dirfd(dir), entry->d_name, 0);
    }
  }
  closedir(dir);
}

// The listening socket: one handed over by systemd, or a new one.
int Listen(const std::string& folder, const std::string& path, std::string& error) {
  if (EnvironmentNumber("LISTEN_FDS", 1) == 1 && EnvironmentNumber("LISTEN_PID", INT_MAX) == getpid()) return 3;

  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = folder + ": cannot be made (" + std::strerror(errno) + ")";
    return -1;
  }
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
    error = folder + ": not a folder of this user";
    return -1;
  }
  chmod(folder.c_str(), 0700);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // The socket is made under a name of its own and renamed to `path` once it
  // listens, owner-only: a backend that finds `path` can always connect, and
  // nobody else ever can.
  const std::string making = path + ".new";
  if (making.size() >= sizeof address.sun_path) {
    error = path + ": the name is too long for a socket";
    return -1;
  }
  std::strcpy(address.sun_path, making.c_str());
  unlink(making.c_str());  // left by an agent that was killed while starting
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      chmod(making.c_str(), 0600) != 0 || listen(fd, 64) != 0 || rename(making.c_str(), path.c_str()) != 0) {
    error = path + ": cannot listen (" + std::strerror(errno) + ")";
    if (fd >= 0) close(fd);
    unlink(making.c_str());
    return -1;
  }
  return fd;
}

}  // namespace

std::string RunAgent(const std::string& program) {
  std::string error, folder;
  if (!RuntimeFolder(folder, error)) return error;
  const int listener = Listen(folder, folder + "/agent.sock", error);
  if (listener < 0) return error;
  RemoveDeadJobFiles(folder);
  for (;;) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return "the agent's socket failed (" + std::string(std::strerror(errno)) + ")";
    }
    if (PeerAllowed(connection)) {
      ServeJob(UniqueFd(connection), program, folder);
    } else {
      close(connection);
    }
  }
}

}  // namespace tq::host
