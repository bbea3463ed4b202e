// telequill: the CUPS backend of the fax queue.
//
//   telequill                                     lists the device kind for lpinfo
//   telequill JOB USER TITLE COPIES OPTIONS [FILE]
//
// Hands the job of USER to that user's agent, which shows the fax prompt in
// the user's session, and writes the answered stream to the device that
// DEVICE_URI names after "telequill:/" (socket://HOST:PORT?model=n, or
// lpd://HOST/QUEUE for a print server's queue). Speaks
// CUPS's backend conventions: STATE:, INFO:, ERROR: lines on standard error
// and its exit statuses: every failure says what happened and whether
// CUPS tries the job again (retry), holds it or cancels it.
// TELEQUILL_RUNTIME_ROOT replaces /run/user, and
// TELEQUILL_DEVICE_RETRY (seconds, default 10) the wait between attempts to
// reach a device that refuses the connection.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "agent_wire.h"
#include "host/agent_client.h"
#include "host/cups_options.h"
#include "host/environment_seconds.h"
#include "host/device_sender.h"
#include "host/fax_queue_ppd.h"
#include "host/page_count.h"
#include "host/user_job.h"
#include "win/environment.h"
#include "win/unique_fd.h"

namespace {

using namespace tq::host;
using tq::UniqueFd;

// CUPS's backend exit statuses.
constexpr int kBackendOk = 0;
constexpr int kBackendFailed = 1;
constexpr int kBackendHold = 3;
constexpr int kBackendCancel = 5;
constexpr int kBackendRetry = 6;
constexpr int kDeviceAttempts = 30;
constexpr char kRefused[] = "the fax job was refused, nothing was sent: ";

int Say(const char* kind, const std::string& text, int status) {
  std::fprintf(stderr, "%s: %s\n", kind, text.c_str());
  return status;
}

std::string SpoolFolder() { return tq::EnvironmentValue("TMPDIR").value_or("/tmp"); }

// A private spool file for the answered stream, gone from its folder at once.
int SpoolFile() {
  std::string name = SpoolFolder() + "/telequill-XXXXXX";
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

// The request's lines are at most 64 KiB: a title is cut well below that
// (it only names the job), options that long are refused.
constexpr std::size_t kLongestTitle = 1024;
constexpr std::size_t kLongestOptions = 60000;

std::string TitleForAgent(std::string title) {
  if (title.size() <= kLongestTitle) return title;
  std::size_t end = kLongestTitle;
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;  // not inside a character
  title.resize(end);
  return title;
}

std::string NoRoomToSpool() {
  return "no room to spool the job in " + SpoolFolder() + " (" + std::strerror(errno) + "); the job will be tried again";
}

// The spooler's page accounting: one PAGE: line for each page sent.
void TellPagesSent(int stream, int copies) {
  const int pages = CountStreamPages(stream);
  for (int page = 1; page <= pages; ++page) std::fprintf(stderr, "PAGE: %d %d\n", page, copies);
}

// The device's error in `error` when the stream was not sent.
int SendToDevice(const std::string& uri, int stream, const LpdJob& job, int copies, std::string& error) {
  const int retry = SecondsFrom("TELEQUILL_DEVICE_RETRY", 10);
  const int timeout = SecondsFrom("TELEQUILL_PORT_TIMEOUT", 30);
  for (int attempt = 1;; ++attempt) {
    std::fprintf(stderr, "STATE: +connecting-to-device\n");
    error.clear();
    const DeviceOutcome outcome = SendStreamToDevice(uri, stream, job, timeout, error);
    std::fprintf(stderr, "STATE: -connecting-to-device\n");
    if (outcome == DeviceOutcome::Sent) {
      TellPagesSent(stream, copies);
      return Say("INFO", "\"" + job.title + "\" was sent to " + uri, kBackendOk);
    }
    if (outcome == DeviceOutcome::Failed || attempt >= kDeviceAttempts) return Say("ERROR", error, kBackendRetry);
    Say("INFO", error + "; will retry in " + std::to_string(retry) + " seconds", 0);
    sleep(static_cast<unsigned>(retry));
  }
}

// The qlhost program the queue's PPD names, for jobs run as the user.
std::string QueueQlhost() {
  const auto ppd = tq::EnvironmentValue("PPD");
  if (!ppd) return {};
  std::ifstream file(*ppd, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return QlhostOfPpd(text.str());
}

// Why a job that needs the prompt waits: nobody logged in, or a session
// without its agent (with how to start it).
std::string HeldForAgent(const std::string& runtimeRoot, const passwd& account, const std::string& jobId,
                         const std::string& why) {
  const std::string user = account.pw_name;
  struct stat session {};
  const std::string folder = runtimeRoot + "/" + std::to_string(account.pw_uid);
  if (lstat(folder.c_str(), &session) != 0 || !S_ISDIR(session.st_mode)) {
    return "the fax job is held: " + user + " must be logged in for the fax prompt (" + why +
           "); release it with lp -i " + jobId + " -H resume once " + user + " is logged in";
  }
  return "the fax job is held: " + user +
         " is logged in but the fax agent is not running; start it with "
         "\"systemctl --user start telequill-agent.socket\" or \"qlhost agent\", then release the job with lp -i " +
         jobId + " -H resume";
}

// This machine's name, for a print server's control file.
std::string HostName() {
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 && name[0] != '\0' ? name : "localhost";
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  if (argc == 1) {
    std::puts("network telequill \"Unknown\" \"Telequill fax (socket://HOST:PORT or lpd://HOST/QUEUE)\"");
    return kBackendOk;
  }
  if (argc != 6 && argc != 7) {
    return Say("ERROR", "usage: telequill JOB USER TITLE COPIES OPTIONS [FILE]", kBackendFailed);
  }
  const auto deviceUri = tq::EnvironmentValue("DEVICE_URI");
  DeviceTarget device;
  std::string error;
  if (!deviceUri || !ParseDeviceUri(*deviceUri, device, error)) {
    return Say("ERROR", !deviceUri ? "DEVICE_URI is not set" : error, kBackendFailed);
  }
  const std::string user = argv[2];
  const passwd* account = getpwnam(user.c_str());
  if (account == nullptr) return Say("ERROR", "no such user \"" + user + "\"", kBackendFailed);

  AgentJob job;
  // Recipients given with the job: no prompt, and a bad list or option
  // cancels the job before anything else happens.
  if (!GivenJobFromCupsOptions(argv[5], job.given, error)) return Say("ERROR", kRefused + error, kBackendCancel);
  const bool given = !job.given.to.empty();
  job.name = TitleForAgent(argv[3]);
  job.model = device.model;
  job.options = SettingsFromCupsOptions(argv[5], std::atoi(argv[4]));
  if (job.options.size() > kLongestOptions) {
    return Say("ERROR", "the job's options are longer than " + std::to_string(kLongestOptions) +
                            " bytes; the job is cancelled", kBackendCancel);
  }
  // Without waiting: a FIFO given as the file is refused below, not read.
  UniqueFd file(argc == 7 ? open(argv[6], O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1);
  if (argc == 7) {
    struct stat info {};
    if (file.fd() < 0) {
      return Say("ERROR", std::string(argv[6]) + ": cannot be read (" + std::strerror(errno) + "); the job is cancelled",
                 kBackendCancel);
    }
    if (fstat(file.fd(), &info) != 0 || !S_ISREG(info.st_mode)) {
      return Say("ERROR", std::string(argv[6]) + ": not a file; the job is cancelled", kBackendCancel);
    }
  }
  // CUPS hands the document on standard input when there is no file; the
  // agent needs its size, so it is spooled first.
  UniqueFd spooled(argc == 6 ? SpoolFile() : -1);
  if (argc == 6) {
    std::uint64_t copied = 0;
    bool writeFailed = false;
    if (spooled.fd() < 0 || !wire::Copy(STDIN_FILENO, spooled.fd(), UINT64_MAX, copied, &writeFailed) ||
        lseek(spooled.fd(), 0, SEEK_SET) != 0) {
      return writeFailed || spooled.fd() < 0 ? Say("ERROR", NoRoomToSpool(), kBackendRetry)
                                              : Say("ERROR", "the job's document could not be read; the job is cancelled",
                                                    kBackendCancel);
    }
  }
  job.document = argc == 7 ? file.fd() : spooled.fd();

  const UniqueFd stream(SpoolFile());
  if (stream.fd() < 0) return Say("ERROR", NoRoomToSpool(), kBackendRetry);

  int connection = -1;
  std::string why, qlhost;
  switch (ConnectToAgent(RuntimeFoldersRoot(), account->pw_uid, connection, why)) {
    case AgentLookup::Found: break;
    case AgentLookup::Missing:
      // Without the agent a given job runs as the user; one that needs
      // the prompt waits for the user's session.
      qlhost = given ? QueueQlhost() : std::string();
      if (qlhost.empty()) {
        return Say("ERROR", HeldForAgent(RuntimeFoldersRoot(), *account, argv[1], why), kBackendHold);
      }
      break;
    case AgentLookup::Refused: return Say("ERROR", "the fax job is held: " + why, kBackendHold);
  }
  std::string message;
  AgentAnswer answer;
  UniqueFd agent;  // kept open to tell the agent what the device did
  if (connection < 0) {
    answer = RunJobAsUser(*account, qlhost, job, stream.fd(), message);
  } else {
    if (!given) std::fprintf(stderr, "INFO: \"%s\": waiting for %s to answer the fax prompt\n", job.name.c_str(), user.c_str());
    agent.Reset(connection);
    answer = SendJobToAgent(connection, job, stream.fd(), message);
  }
  switch (answer) {
    case AgentAnswer::Done: break;
    case AgentAnswer::Cancelled: return Say("INFO", message, kBackendCancel);
    case AgentAnswer::Refused: return Say("ERROR", kRefused + message, kBackendCancel);
    case AgentAnswer::Failed: return Say("ERROR", message, kBackendFailed);
    case AgentAnswer::Lost:
    case AgentAnswer::Retry: return Say("ERROR", message + "; the job will be tried again", kBackendRetry);
  }
  const LpdJob printJob{std::atoi(argv[1]), HostName(), user, job.name};
  std::string deviceError;
  const int status = SendToDevice(device.uri, stream.fd(), printJob, std::max(1, std::atoi(argv[4])), deviceError);
  if (agent.valid()) TellAgentOutcome(agent.fd(), status == kBackendOk, deviceError + "; the job will be tried again");
  return status;
}
