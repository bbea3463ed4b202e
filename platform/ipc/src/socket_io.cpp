// Deadline-bound socket steps. Descriptors are non-blocking and every wait
// is a poll() bounded by the caller's deadline.
#include "socket_io.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "win/foreign_window.h"
#include "wire.h"

namespace tq::ipc {
namespace {

// The milliseconds left until `deadline`, at least 0.
int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 60'000));
}

// How often a windows' thread that waits for another process runs the
// calls queued for it meanwhile.
constexpr int kServingSlice = 5;

// Waits until `fd` is ready for `events`, or for `milliseconds` when `fd`
// is -1. On the windows' thread the wait is cut into short slices between
// which the calls of other threads run: the process asked may itself be
// waiting for an answer about our windows, which our listener can give only
// through this thread. Returns what poll() returns.
int PollServing(int fd, short events, int milliseconds) {
  pollfd poller{fd, events, 0};
  if (!ui::RunWaitingCalls()) return poll(fd < 0 ? nullptr : &poller, fd < 0 ? 0 : 1, milliseconds);
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const int ready = poll(fd < 0 ? nullptr : &poller, fd < 0 ? 0 : 1, std::min(milliseconds, kServingSlice));
    if (ready != 0) return ready;
    ui::RunWaitingCalls();
    milliseconds = MillisecondsLeft(until);
    if (milliseconds == 0) return 0;
  }
}

// Waits until `fd` is ready for `events`; false (errno ETIMEDOUT) when the
// deadline passes first.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const int ready = PollServing(fd, events, MillisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) errno = ETIMEDOUT;
    return false;
  }
}

// The address for `path`. A path too long for sun_path is reached through
// its folder's descriptor (/proc/self/fd/N/name), which `folder` keeps open.
bool AddressOf(const std::string& path, sockaddr_un* address, Socket* folder) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  std::string reachable = path;
  if (reachable.size() >= sizeof address->sun_path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    *folder = Socket(open(path.substr(0, slash).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder->valid()) return false;
    reachable = "/proc/self/fd/" + std::to_string(folder->fd()) + path.substr(slash);
    if (reachable.size() >= sizeof address->sun_path) {
      errno = ENAMETOOLONG;
      return false;
    }
  }
  std::memcpy(address->sun_path, reachable.c_str(), reachable.size() + 1);
  return true;
}

}  // namespace

Socket ConnectTo(const std::string& path, Clock::time_point deadline) {
  sockaddr_un address;
  Socket folder;
  if (!AddressOf(path, &address, &folder)) return Socket();
  for (;;) {
    Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) return Socket();
    if (connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return socket;
    if (errno == EINTR) continue;
    // A full backlog makes a Unix socket refuse with EAGAIN at once; the
    // listener is busy, so try again shortly until the deadline.
    if (errno != EAGAIN) return Socket();
    if (MillisecondsLeft(deadline) == 0) {
      errno = ETIMEDOUT;
      return Socket();
    }
    PollServing(-1, 0, 10);
  }
}

Socket ListenAt(const std::string& path) {
  sockaddr_un address;
  Socket folder;
  if (!AddressOf(path, &address, &folder)) return Socket();
  Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!socket.valid()) return Socket();
  if (bind(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return Socket();
  if (listen(socket.fd(), 16) != 0) return Socket();
  return socket;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, Clock::time_point deadline) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (written > 0) {
      done += static_cast<size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLOUT, deadline)) continue;
    return false;
  }
  return true;
}

namespace {

bool ReadExact(int fd, std::uint8_t* into, size_t count, Clock::time_point deadline) {
  size_t done = 0;
  while (done < count) {
    const ssize_t got = recv(fd, into + done, count - done, 0);
    if (got > 0) {
      done += static_cast<size_t>(got);
      continue;
    }
    if (got == 0) return false;  // the peer closed early
    if (errno == EINTR) continue;
    if ((errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLIN, deadline)) continue;
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadMessage(int fd, std::uint32_t magic, Clock::time_point deadline) {
  std::vector<std::uint8_t> message(kHeaderSize);
  if (!ReadExact(fd, message.data(), kHeaderSize, deadline)) return std::nullopt;
  const auto length = BodyLength(message, magic);
  if (!length) return std::nullopt;
  message.resize(kHeaderSize + *length);
  if (!ReadExact(fd, message.data() + kHeaderSize, *length, deadline)) return std::nullopt;
  return message;
}

}  // namespace tq::ipc
