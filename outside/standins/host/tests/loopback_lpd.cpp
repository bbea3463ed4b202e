#include "loopback_lpd.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>

#include "loopback_printer.h"

namespace tq::host::testing {

namespace {

constexpr int kWaitSeconds = 20;

bool ReadLine(int fd, std::string& line) {
  line.clear();
  for (char c; read(fd, &c, 1) == 1;) {
    if (c == '\n') return true;
    line += c;
  }
  return false;
}

bool ReadExactly(int fd, std::size_t size, std::string& bytes) {
  bytes.resize(size);
  for (std::size_t done = 0; done < size;) {
    const ssize_t got = read(fd, bytes.data() + done, size - done);
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

void Answer(int fd, char byte) { [[maybe_unused]] const ssize_t ignored = write(fd, &byte, 1); }

}  // namespace

LoopbackLpd::LoopbackLpd(std::string queue) : queue_(std::move(queue)) {
  listener_ = BoundLoopbackSocket(port_);
  listen(listener_, 1);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackLpd::~LoopbackLpd() {
  shutdown(listener_, SHUT_RDWR);  // ends a wait for a connection that never came
  if (thread_.joinable()) thread_.join();
  close(listener_);
}

std::string LoopbackLpd::uri(const std::string& queue) const {
  return "lpd://127.0.0.1:" + std::to_string(port_) + "/" + queue;
}

LoopbackLpd::Received LoopbackLpd::Job() {
  if (thread_.joinable()) thread_.join();
  return received_;
}

void LoopbackLpd::Serve() {
  pollfd waiting{listener_, POLLIN, 0};
  if (poll(&waiting, 1, kWaitSeconds * 1000) <= 0) return;
  const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (connection < 0) return;
  const timeval limit{kWaitSeconds, 0};
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);

  std::string line;
  if (ReadLine(connection, line) && line.size() > 1 && line[0] == '\x02') {
    received_.queue = line.substr(1);
    const bool known = received_.queue == queue_;
    Answer(connection, known ? 0 : 1);
    bool control = false, data = false;
    // Subcommands: "\2COUNT NAME" for the control file, "\3COUNT NAME" for data.
    while (known && ReadLine(connection, line) && line.size() > 1 && (line[0] == '\x02' || line[0] == '\x03')) {
      const auto space = line.find(' ');
      if (space == std::string::npos) break;
      const bool isControl = line[0] == '\x02';
      (isControl ? received_.controlName : received_.dataName) = line.substr(space + 1);
      Answer(connection, 0);
      std::string& bytes = isControl ? received_.control : received_.data;
      std::string end;
      if (!ReadExactly(connection, std::strtoull(line.c_str() + 1, nullptr, 10), bytes) ||
          !ReadExactly(connection, 1, end) || end[0] != '\0') {
        break;
      }
      (isControl ? control : data) = true;
      Answer(connection, 0);
    }
    received_.whole = control && data;
  }
  close(connection);
}

}  // namespace tq::host::testing
