// The printer port library: the network address behind a port name.
#pragma once

#include "win/export.h"

inline constexpr int kAddressTcpIp = 0;
inline constexpr int kAddressIpx = 1;
inline constexpr int kAddressOther = 3;
inline constexpr int kAddressNotConfigurable = 4;
inline constexpr int kAddressFailed = 5;  // a host name that does not resolve, bad arguments

inline constexpr int kAddressSize = 64;

// Port names understood: "IP_10.0.0.5", "socket://host[:port]",
// "lpd://host/queue", "ipp://host[:port]/...", "IPX_nnnnnnnn:nnnnnnnnnnnn".
// Host names are resolved to an IPv4 address. `address` holds kAddressSize
// bytes and gets the dotted address, or network ':' node for IPX.
TQ_EXPORT int GetAddressFromPort(const char* port, char* address);
