// The SNMP device library: finds devices by SNMP (one address or a
// broadcast), prepares one of them and answers which options it has.
//
// Calls return 0 on success unless said otherwise. Texts are ANSI and
// NUL-terminated; output buffers are of the sizes named below. A handle
// stays usable by a call already running in another thread even after
// PSWPluginUnInit: the call finishes on its own copy of the state.
//
// Device type: the device's sysObjectID in dotted decimal. Options: the
// Printer MIB (input trays), the Host Resources MIB (memory, devices) and the
// private subtree 1.3.6.1.4.1.32473.2 (mib/TELEQUILL-FAX-MIB.txt).
// The SNMP port is 161 unless the program sets another (KdwcifSetTransport).
#pragma once

#include <cstdint>

#include "win/export.h"

using PSWHANDLE = std::uint32_t;

inline constexpr int kPswAddressSize = 64;   // address buffers
inline constexpr int kPswTextSize = 256;     // name, type and value texts

inline constexpr int kPswProtocolTcpIp = 1;
inline constexpr int kPswProtocolIpx = 2;
inline constexpr int kPswProtocolOther = 3;

// Error codes (any non-zero value is a failure).
inline constexpr int kPswOk = 0;
inline constexpr int kPswBadHandle = 1;
inline constexpr int kPswBadArgument = 2;
inline constexpr int kPswCommunication = 3;  // no answer, malformed answer, IPX
inline constexpr int kPswNoDevice = 4;        // no device prepared yet
inline constexpr int kPswNoValue = 5;         // the device does not report it

// Where requests go and how long a search waits, for every handle: the
// program sets them from its own settings (the library reads no
// environment). The SNMP port (0: 161); the IPv4 addresses, separated by
// commas, that a broadcast search asks one by one instead of broadcasting
// (loopback has no broadcast; null or empty: a real broadcast); how long a
// search or a request waits for answers, in milliseconds (0: 5,000).
struct KdwcifTransport {
  unsigned short port = 0;
  const char* broadcastList = nullptr;
  int searchWaitMs = 0;
};
TQ_EXPORT void KdwcifSetTransport(const KdwcifTransport& transport);

// `argument` is the host's configuration word (kept, not interpreted);
// `version` must be "PSW112".
TQ_EXPORT int PSWPluginInit(const char* argument, const char* version, PSWHANDLE* handle);
TQ_EXPORT void PSWPluginUnInit(PSWHANDLE handle);

// Device types the next search keeps; none kept means every type.
TQ_EXPORT int PSWPluginFindAddFilter(PSWHANDLE handle, const char* deviceType);
TQ_EXPORT int PSWPluginFindClearFilter(PSWHANDLE handle);

// Asks `address` (an IP address, possibly a broadcast address, or an IPX
// address) for sysObjectID and sysName; answers are collected until the
// search's deadline, one device per answering address. The low 16 bits of
// *count give the number found. IPX gives kPswCommunication.
TQ_EXPORT int PSWPluginFindDeviceSNMP(PSWHANDLE handle, const char* address, int protocol,
                                       std::uint32_t* count);
// The next device of the last search: address, name (sysName), the device's
// location (sysLocation) and type. Returns 1 while a device is returned.
TQ_EXPORT int PSWPluginGetDeviceNext(PSWHANDLE handle, char* address, char* name, char* location,
                                      char* deviceType);

TQ_EXPORT int PSWPluginInitDevice(PSWHANDLE handle, const char* address, const char* deviceType,
                                   int protocol);
TQ_EXPORT int PSWPluginRefreshSystemAttributes(PSWHANDLE handle);
TQ_EXPORT int PSWPluginRefreshInternetSalutation(PSWHANDLE handle);
TQ_EXPORT int PSWPluginRefreshOptions(PSWHANDLE handle);

// 1 when the prepared device has every option of `mask`, else 0.
TQ_EXPORT int PSWPluginHasOption(PSWHANDLE handle, std::uint32_t mask);
TQ_EXPORT int PSWPluginGetOptionValueBoolean(PSWHANDLE handle, const char* name, std::uint32_t* value);
TQ_EXPORT int PSWPluginGetOptionValueInteger(PSWHANDLE handle, const char* name, std::int32_t* value);
TQ_EXPORT int PSWPluginGetOptionValueUInteger(PSWHANDLE handle, const char* name, std::uint32_t* value);
// `text` holds kPswTextSize bytes.
TQ_EXPORT int PSWPluginGetOptionValueString(PSWHANDLE handle, const char* name, char* text);
