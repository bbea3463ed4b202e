#include "loopback_printer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tq::host::testing {

namespace {

constexpr int kWaitMilliseconds = 20000;
// Written to the signal pipe: the sender has ended, or the test is over.
constexpr char kSenderDone = 'd';
constexpr char kStop = 's';

// The signal read from the pipe, or 0 when none came within `milliseconds`.
char NextSignal(int pipe, int milliseconds) {
  pollfd entry{pipe, POLLIN, 0};
  char what = 0;
  if (poll(&entry, 1, milliseconds) > 0 && read(pipe, &what, 1) != 1) what = kStop;
  return what;
}

}  // namespace

LoopbackPrinter::LoopbackPrinter(Mode mode) : mode_(mode) {
  listener_ = BoundLoopbackSocket(port_);
  listen(listener_, 1);
  if (pipe(signalPipe_) != 0) signalPipe_[0] = signalPipe_[1] = -1;
  thread_ = std::thread([this] { Serve(); });
}

LoopbackPrinter::~LoopbackPrinter() {
  Signal(kStop);
  if (thread_.joinable()) thread_.join();
  close(listener_);
  close(signalPipe_[0]);
  close(signalPipe_[1]);
}

std::string LoopbackPrinter::uri() const { return "socket://127.0.0.1:" + std::to_string(port_); }

void LoopbackPrinter::Signal(char what) {
  if (signalPipe_[1] >= 0) [[maybe_unused]] const ssize_t ignored = write(signalPipe_[1], &what, 1);
}

void LoopbackPrinter::Finish() {
  if (!thread_.joinable()) return;
  Signal(kSenderDone);
  thread_.join();
}

std::string LoopbackPrinter::Received() {
  Finish();
  return received_;
}

std::string LoopbackPrinter::AwaitReceived() {
  if (thread_.joinable()) thread_.join();
  return received_;
}

std::string LoopbackPrinter::ReceivedTail() {
  Finish();
  return tail_;
}

std::uint64_t LoopbackPrinter::ReceivedCount() {
  Finish();
  return count_;
}

bool LoopbackPrinter::WaitForConnection() {
  pollfd fds[2] = {{listener_, POLLIN, 0}, {signalPipe_[0], POLLIN, 0}};
  if (poll(fds, 2, kWaitMilliseconds) <= 0) return false;
  if (fds[0].revents != 0) return true;
  // A sender that has ended made its connection already, if it made one.
  if (NextSignal(signalPipe_[0], 0) != kSenderDone) return false;
  pollfd pending{listener_, POLLIN, 0};
  return poll(&pending, 1, 0) > 0;
}

bool LoopbackPrinter::Readable(int connection) {
  for (;;) {
    pollfd fds[2] = {{connection, POLLIN, 0}, {signalPipe_[0], POLLIN, 0}};
    if (poll(fds, 2, kWaitMilliseconds) <= 0) return false;
    if (fds[0].revents != 0) return true;
    // The sender's end only means its last bytes are on their way.
    if (NextSignal(signalPipe_[0], 0) != kSenderDone) return false;
  }
}

void LoopbackPrinter::Serve() {
  if (!WaitForConnection()) return;
  const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (connection < 0) return;
  if (mode_ == Mode::NeverRead) {
    // Hold the connection without reading until the test is done.
    NextSignal(signalPipe_[0], kWaitMilliseconds);
    close(connection);
    return;
  }
  char buffer[65536];
  while (Readable(connection)) {
    const ssize_t got = read(connection, buffer, sizeof buffer);
    if (got <= 0) break;
    count_ += static_cast<std::uint64_t>(got);
    if (mode_ != Mode::KeepEnds || received_.size() < kEndSize) received_.append(buffer, static_cast<std::size_t>(got));
    if (mode_ == Mode::KeepEnds) {
      tail_.append(buffer, static_cast<std::size_t>(got));
      if (tail_.size() > kEndSize) tail_.erase(0, tail_.size() - kEndSize);
    }
    if (mode_ == Mode::HangUp) {
      const linger reset{1, 0};  // close with a reset, as a printer that drops the job
      setsockopt(connection, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
      break;
    }
  }
  close(connection);
}

int BoundLoopbackSocket(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

std::string RefusingPortUri() {
  int port = 0;
  const int fd = BoundLoopbackSocket(port);  // bound, never listening: connections are refused
  const std::string uri = "socket://127.0.0.1:" + std::to_string(port);
  close(fd);
  return uri;
}

}  // namespace tq::host::testing
