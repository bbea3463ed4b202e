#include "host/lpd_job.h"

namespace tq::host {

namespace {

constexpr std::string_view kScheme = "lpd://";
constexpr char kDefaultPort[] = "515";
// Limits on a control file's host and user lines.
constexpr std::size_t kNameLimit = 31;
constexpr std::size_t kTitleLimit = 99;

std::string Printable(std::string_view text, std::size_t limit) {
  std::string safe;
  for (const char c : text.substr(0, limit)) safe += c >= 0x20 && c < 0x7F ? c : '_';
  return safe;
}

// A host name fit for the files' names: letters, digits, '-' and '.'.
std::string FileHost(std::string_view host) {
  std::string safe;
  for (const char c : host.substr(0, kNameLimit)) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    safe += plain ? c : '_';
  }
  return safe.empty() ? "localhost" : safe;
}

std::string FileName(char kind, const LpdJob& job) {
  const int number = (job.number % 1000 + 1000) % 1000;
  std::string digits = std::to_string(number);
  digits.insert(0, 3 - digits.size(), '0');
  return std::string(1, kind) + "fA" + digits + FileHost(job.host);
}

// The daemon answers each command with one byte: zero accepts it.
bool Acknowledged(PortSink& connection, const std::string& what, std::string& error) {
  char answer = 1;
  if (!connection.ReceiveByte(answer, error)) return false;
  if (answer == 0) return true;
  error = connection.name() + ": " + what;
  return false;
}

}  // namespace

bool ParseLpdUri(std::string_view uri, LpdAddress& address, std::string& error) {
  error = std::string(uri) + ": not a print server queue (use lpd://HOST/QUEUE)";
  if (uri.substr(0, kScheme.size()) != kScheme) return false;
  const std::string_view rest = uri.substr(kScheme.size());
  const auto slash = rest.find('/');
  if (slash == std::string_view::npos) return false;
  std::string_view queue = rest.substr(slash + 1);
  if (!queue.empty() && queue.back() == '/') queue.remove_suffix(1);
  if (queue.empty() || queue.find_first_of("/ \t\r\n") != std::string_view::npos) return false;
  // The host part is checked as a raw port's would be, on port 515 unless it names one.
  const std::string_view host = rest.substr(0, slash);
  const bool namesPort = !host.empty() && (host.front() == '[' ? host.find("]:") != std::string_view::npos
                                                                : host.find(':') != std::string_view::npos);
  const std::string socketUri = "socket://" + std::string(host) + (namesPort ? "" : std::string(":") + kDefaultPort);
  std::string ignored;
  if (!ParsePortUri(socketUri, address.server, ignored)) return false;
  address.queue = std::string(queue);
  error.clear();
  return true;
}

std::string LpdControlFile(const LpdJob& job) {
  const std::string data = FileName('d', job);
  const std::string title = Printable(job.title, kTitleLimit);
  return "H" + Printable(job.host, kNameLimit) + "\nP" + Printable(job.user, kNameLimit) + "\nJ" + title + "\nl" +
         data + "\nU" + data + "\nN" + title + "\n";
}

bool SendLpdJob(PortSink& connection, const std::string& queue, const LpdJob& job, int stream, std::uint64_t size,
                std::string& error) {
  if (!connection.Write("\x02" + queue + "\n", error) ||
      !Acknowledged(connection, "the print server refused the queue \"" + queue + "\"", error)) {
    return false;
  }
  // The data goes first: the job exists only once its control file is
  // in, so a transfer that breaks leaves nothing half-made on the server.
  const std::string data = FileName('d', job);
  if (!connection.Write("\x03" + std::to_string(size) + " " + data + "\n", error) ||
      !Acknowledged(connection, "the print server refused the job's data (" + std::to_string(size) + " bytes)",
                    error) ||
      !connection.SendFrom(stream, size, error) || !connection.Write(std::string_view("\0", 1), error) ||
      !Acknowledged(connection, "the print server did not take the job's data", error)) {
    return false;
  }
  const std::string control = LpdControlFile(job);
  return connection.Write("\x02" + std::to_string(control.size()) + " " + FileName('c', job) + "\n", error) &&
         Acknowledged(connection, "the print server refused the job's control file", error) &&
         connection.Write(control + std::string(1, '\0'), error) &&
         Acknowledged(connection, "the print server did not take the job's control file", error);
}

}  // namespace tq::host
