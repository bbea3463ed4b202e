// Sending a job to a printer's raw port over TCP ("socket://HOST:PORT").
#pragma once

#include <string>
#include <string_view>

namespace tq::host {

struct PortAddress {
  std::string host;
  std::string port;
};

// "socket://HOST:PORT", HOST a name, an IPv4 address or [an IPv6 address],
// PORT 1 to 65535. False with a message for anything else.
[[nodiscard]] bool ParsePortUri(std::string_view uri, PortAddress& address, std::string& error);

// Connects, sends every byte and closes the sending side, then waits for the
// printer to close or reset the connection. Waiting to connect, to send more
// or for the close is bounded by `timeoutSeconds` each; a refused
// connection, a reset or a printer that stops reading fails with a message
// naming the URI.
[[nodiscard]] bool SendToPort(std::string_view uri, std::string_view bytes, int timeoutSeconds, std::string& error);

}  // namespace tq::host
