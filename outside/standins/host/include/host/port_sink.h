// Sending a job to a printer over TCP: its raw port ("socket://HOST:PORT"),
// and the connection other printer protocols speak over.
#pragma once

#include <string>
#include <string_view>

#include "host/job_sink.h"
#include "win/unique_fd.h"

namespace tq::host {

struct PortAddress {
  std::string host;
  std::string port;
};

// "socket://HOST:PORT", HOST a name, an IPv4 address or [an IPv6 address],
// PORT 1 to 65535. False with a message for anything else.
[[nodiscard]] bool ParsePortUri(std::string_view uri, PortAddress& address, std::string& error);

// One connection to a printer's raw port, fed piece by piece. Every wait
// (to connect, to send more, for the printer to close) is bounded by the
// time-out; failures name the URI.
class PortSink final : public JobSink {
 public:
  PortSink() = default;
  ~PortSink() override;
  PortSink(const PortSink&) = delete;
  PortSink& operator=(const PortSink&) = delete;

  [[nodiscard]] bool Open(std::string_view uri, int timeoutSeconds, std::string& error);
  // Connects to `address`; `name` (the device's URI) names it in messages.
  [[nodiscard]] bool Connect(const PortAddress& address, std::string name, int timeoutSeconds, std::string& error);
  [[nodiscard]] bool Write(std::string_view bytes, std::string& error) override;
  [[nodiscard]] bool CopyFrom(HANDLE document, std::uint64_t size, std::string& error) override;
  // Sends `size` bytes read from the open descriptor `from`.
  [[nodiscard]] bool SendFrom(int from, std::uint64_t size, std::string& error);
  // Waits (bounded) for one byte of the printer's answer.
  [[nodiscard]] bool ReceiveByte(char& byte, std::string& error);
  const std::string& name() const { return uri_; }
  // Closes the sending side and waits for the printer to take everything.
  [[nodiscard]] bool Finish(std::string& error);

 private:
  UniqueFd fd_;
  int timeoutSeconds_ = 30;
  std::string uri_;
};

// Connects, sends every byte and closes the sending side, then waits for the
// printer to close or reset the connection. Waiting to connect, to send more
// or for the close is bounded by `timeoutSeconds` each; a refused
// connection, a reset or a printer that stops reading fails with a message
// naming the URI.
[[nodiscard]] bool SendToPort(std::string_view uri, std::string_view bytes, int timeoutSeconds, std::string& error);

}  // namespace tq::host
