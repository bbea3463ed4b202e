#include "host/port_sink.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tq::host {

namespace {

constexpr std::string_view kScheme = "socket://";
// How long a printer that has everything may keep the connection open.
constexpr int kCloseWaitSeconds = 5;

// Waits for `events` on the socket; 0 on time-out, -1 on error.
int WaitFor(int fd, short events, int timeoutSeconds) {
  pollfd entry{fd, events, 0};
  for (;;) {
    const int ready = poll(&entry, 1, timeoutSeconds * 1000);
    if (ready < 0 && errno == EINTR) continue;
    return ready;
  }
}

// A connected socket to one of the address's results, or -1 with `cause`.
int ConnectToAny(const addrinfo* candidates, int timeoutSeconds, int& cause, bool& timedOut) {
  cause = ECONNREFUSED;
  timedOut = false;
  for (const addrinfo* a = candidates; a != nullptr; a = a->ai_next) {
    const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) {
      cause = errno;
      continue;
    }
    if (connect(fd, a->ai_addr, a->ai_addrlen) == 0) return fd;
    if (errno == EINPROGRESS) {
      const int ready = WaitFor(fd, POLLOUT, timeoutSeconds);
      int soError = 0;
      socklen_t length = sizeof soError;
      if (ready > 0 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) == 0 && soError == 0) return fd;
      if (ready == 0) timedOut = true;
      cause = ready > 0 ? soError : errno;
    } else {
      cause = errno;
    }
    close(fd);
  }
  return -1;
}

}  // namespace

bool ParsePortUri(std::string_view uri, PortAddress& address, std::string& error) {
  error = std::string(uri) + ": not a printer port (use socket://HOST:PORT)";
  if (uri.substr(0, kScheme.size()) != kScheme) return false;
  std::string_view rest = uri.substr(kScheme.size());
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  std::string_view host, port;
  if (!rest.empty() && rest.front() == '[') {
    const auto close = rest.find(']');
    if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':') return false;
    host = rest.substr(1, close - 1);
    port = rest.substr(close + 2);
  } else {
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos) return false;
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
  }
  if (host.empty() || port.empty() || port.size() > 5) return false;
  int number = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  if (number < 1 || number > 65535) return false;
  address.host = std::string(host);
  address.port = std::string(port);
  error.clear();
  return true;
}

PortSink::~PortSink() = default;

bool PortSink::Open(std::string_view uri, int timeoutSeconds, std::string& error) {
  PortAddress address;
  return ParsePortUri(uri, address, error) && Connect(address, std::string(uri), timeoutSeconds, error);
}

bool PortSink::Connect(const PortAddress& address, std::string name, int timeoutSeconds, std::string& error) {
  uri_ = std::move(name);
  timeoutSeconds_ = timeoutSeconds;

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* candidates = nullptr;
  if (const int rc = getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &candidates); rc != 0) {
    error = uri_ + ": cannot find the printer (" + gai_strerror(rc) + ")";
    return false;
  }
  int cause = 0;
  bool timedOut = false;
  fd_.Reset(ConnectToAny(candidates, timeoutSeconds, cause, timedOut));
  freeaddrinfo(candidates);
  if (!fd_.valid()) {
    error = uri_ + (timedOut ? ": the printer did not answer" : ": cannot connect (" + std::string(std::strerror(cause)) + ")");
    return false;
  }
  return true;
}

bool PortSink::Write(std::string_view bytes, std::string& error) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd_.fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const int ready = WaitFor(fd_.fd(), POLLOUT, timeoutSeconds_);
      if (ready == 0) {
        error = uri_ + ": the printer stopped reading; the job was not sent whole";
        return false;
      }
      if (ready > 0) continue;
    }
    error = uri_ + ": the connection broke while sending (" + std::strerror(errno) + ")";
    return false;
  }
  return true;
}

bool PortSink::CopyFrom(HANDLE document, std::uint64_t size, std::string& error) {
  return CopyInChunks(
      document, size, [this](std::string_view chunk, std::string& failure) { return Write(chunk, failure); }, error);
}

bool PortSink::SendFrom(int from, std::uint64_t size, std::string& error) {
  char buffer[1 << 16];
  while (size > 0) {
    const ssize_t got = read(from, buffer, size < sizeof buffer ? static_cast<std::size_t>(size) : sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      error = uri_ + ": the job's stream cannot be read back";
      return false;
    }
    if (!Write(std::string_view(buffer, static_cast<std::size_t>(got)), error)) return false;
    size -= static_cast<std::uint64_t>(got);
  }
  return true;
}

bool PortSink::ReceiveByte(char& byte, std::string& error) {
  for (;;) {
    const int ready = WaitFor(fd_.fd(), POLLIN, timeoutSeconds_);
    if (ready == 0) {
      error = uri_ + ": the printer did not answer";
      return false;
    }
    const ssize_t got = ready > 0 ? recv(fd_.fd(), &byte, 1, 0) : -1;
    if (got == 1) return true;
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    error = uri_ + (got == 0 ? ": the printer closed the connection" : ": the connection broke (" +
                                                                            std::string(std::strerror(errno)) + ")");
    return false;
  }
}

bool PortSink::Finish(std::string& error) {
  // The whole job is with the system; the printer confirms it by closing
  // its side once it has read everything. A reset means it threw bytes away.
  shutdown(fd_.fd(), SHUT_WR);
  const int closeWait = timeoutSeconds_ < kCloseWaitSeconds ? timeoutSeconds_ : kCloseWaitSeconds;
  for (;;) {
    const int ready = WaitFor(fd_.fd(), POLLIN, closeWait);
    if (ready == 0) return true;  // still open: it has what we sent
    if (ready < 0) break;
    char drain[4096];
    const ssize_t got = recv(fd_.fd(), drain, sizeof drain, 0);
    if (got == 0) return true;
    if (got > 0) continue;
    if (errno == EINTR || errno == EAGAIN) continue;
    break;
  }
  error = uri_ + ": the printer dropped the connection (" + std::strerror(errno) + ")";
  return false;
}

bool SendToPort(std::string_view uri, std::string_view bytes, int timeoutSeconds, std::string& error) {
  PortSink port;
  return port.Open(uri, timeoutSeconds, error) && port.Write(bytes, error) && port.Finish(error);
}

}  // namespace tq::host
