#include "loopback_printer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tq::host::testing {

namespace {

constexpr int kWaitMilliseconds = 20000;

int BoundSocket(int& port) {
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

// Waits for `fd` or the stop pipe; true when `fd` is ready.
bool Ready(int fd, int stop) {
  pollfd fds[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
  return poll(fds, 2, kWaitMilliseconds) > 0 && fds[1].revents == 0 && fds[0].revents != 0;
}

}  // namespace

LoopbackPrinter::LoopbackPrinter(Mode mode) : mode_(mode) {
  listener_ = BoundSocket(port_);
  listen(listener_, 1);
  if (pipe(stopPipe_) != 0) stopPipe_[0] = stopPipe_[1] = -1;
  thread_ = std::thread([this] { Serve(); });
}

LoopbackPrinter::~LoopbackPrinter() {
  if (stopPipe_[1] >= 0) {
    const char stop = 's';
    [[maybe_unused]] const ssize_t ignored = write(stopPipe_[1], &stop, 1);
  }
  if (thread_.joinable()) thread_.join();
  close(listener_);
  close(stopPipe_[0]);
  close(stopPipe_[1]);
}

std::string LoopbackPrinter::uri() const { return "socket://127.0.0.1:" + std::to_string(port_); }

std::string LoopbackPrinter::ReceivedTail() {
  if (thread_.joinable()) thread_.join();
  return tail_;
}

std::uint64_t LoopbackPrinter::ReceivedCount() {
  if (thread_.joinable()) thread_.join();
  return count_;
}

std::string LoopbackPrinter::Received() {
  if (thread_.joinable()) thread_.join();
  return received_;
}

void LoopbackPrinter::Serve() {
  if (!Ready(listener_, stopPipe_[0])) return;
  const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (connection < 0) return;
  if (mode_ == Mode::NeverRead) {
    // Hold the connection without reading until the test is done.
    pollfd stop{stopPipe_[0], POLLIN, 0};
    poll(&stop, 1, kWaitMilliseconds);
    close(connection);
    return;
  }
  char buffer[65536];
  while (Ready(connection, stopPipe_[0])) {
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

std::string RefusingPortUri() {
  int port = 0;
  const int fd = BoundSocket(port);  // bound, never listening: connections are refused
  const std::string uri = "socket://127.0.0.1:" + std::to_string(port);
  close(fd);
  return uri;
}

}  // namespace tq::host::testing
