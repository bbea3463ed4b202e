#include <arpa/inet.h>
#include <netdb.h>

#include <cctype>
#include <cstring>
#include <string>

#include "addreso/addreso.h"

namespace {

bool IsHex(const std::string& text, std::size_t length) {
  if (text.size() != length) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Dotted IPv4 text of `host`, resolved when it is a name.
bool Resolve(const std::string& host, std::string& dotted) {
  in_addr parsed{};
  if (inet_pton(AF_INET, host.c_str(), &parsed) == 1) {
    dotted = host;
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr, text, sizeof text);
  freeaddrinfo(found);
  dotted = text;
  return true;
}

// The host part of "scheme://host[:port][/rest]"; brackets (IPv6) are not ours.
std::string HostOfUri(const std::string& rest) {
  const std::size_t end = rest.find_first_of(":/");
  return rest.substr(0, end);
}

int Answer(const std::string& value, char* address, int result) {
  if (value.size() >= static_cast<std::size_t>(kAddressSize)) return kAddressFailed;
  std::memcpy(address, value.c_str(), value.size() + 1);
  return result;
}

}  // namespace

TQ_EXPORT int GetAddressFromPort(const char* port, char* address) {
  if (port == nullptr || address == nullptr) return kAddressFailed;
  address[0] = '\0';
  const std::string name = port;
  if (name.rfind("IPX_", 0) == 0) {
    const std::string ipx = name.substr(4);
    const std::size_t colon = ipx.find(':');
    if (colon == std::string::npos || !IsHex(ipx.substr(0, colon), 8) || !IsHex(ipx.substr(colon + 1), 12)) {
      return kAddressNotConfigurable;
    }
    return Answer(ipx, address, kAddressIpx);
  }
  std::string host;
  if (name.rfind("IP_", 0) == 0) {
    host = name.substr(3);
  } else {
    for (const char* scheme : {"socket://", "lpd://", "ipp://"}) {
      if (name.rfind(scheme, 0) == 0) host = HostOfUri(name.substr(std::strlen(scheme)));
    }
    if (host.empty()) return kAddressNotConfigurable;
  }
  std::string dotted;
  if (!Resolve(host, dotted)) return kAddressFailed;
  return Answer(dotted, address, kAddressTcpIp);
}
