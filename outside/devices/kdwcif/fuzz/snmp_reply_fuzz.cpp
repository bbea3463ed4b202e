// SNMP replies as the device library takes them: the bytes are one message
// as it would arrive from a device, decoded by net-snmp, kept or dropped by
// the library's reply check against the options request (the first byte
// says whether names must match, as for a GET, or not, as for a GETNEXT),
// and its values turned into the device's options.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "device_options.h"
#include "snmp_reply.h"

namespace {

constexpr char kMemorySize[] = "1.3.6.1.2.1.25.2.2.0";

std::vector<oid> Arcs(const char* text) {
  std::vector<oid> arcs;
  for (const char* at = text; *at != '\0';) {
    char* end = nullptr;
    arcs.push_back(std::strtoul(at, &end, 10));
    at = *end == '.' ? end + 1 : end;
  }
  return arcs;
}

// The request the library sends to read the device's options.
const std::vector<std::vector<oid>>& OptionsRequest() {
  static const std::vector<std::vector<oid>> asked = [] {
    std::vector<std::vector<oid>> names;
    for (const auto& object : tq::kdwcif::kPrivateObjects) names.push_back(Arcs(object.oid));
    names.push_back(Arcs(kMemorySize));
    return names;
  }();
  return asked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::kdwcif;
  if (size == 0) return 0;
  SetUpNetSnmp();
  const bool next = (data[0] & 1) != 0;
  std::vector<u_char> message(data + 1, data + size);
  netsnmp_session session;
  snmp_sess_init(&session);
  session.version = SNMP_VERSION_2c;
  netsnmp_pdu* pdu = SNMP_MALLOC_TYPEDEF(netsnmp_pdu);
  if (pdu == nullptr) return 0;
  std::vector<SnmpValue> values;
  std::vector<std::vector<oid>> names;
  if (snmp_parse(nullptr, &session, pdu, message.data(), message.size()) == SNMPERR_SUCCESS &&
      ReadReply(*pdu, OptionsRequest(), next, values, names)) {
    // The options answer, then the same values as a tray's columns and as
    // device types, as the walks would bring them.
    OptionSources sources;
    for (std::size_t i = 0; i < std::size(kPrivateObjects); ++i) sources.privateValues[kPrivateObjects[i].name] = values[i];
    sources.memoryKilobytes = values.back();
    InputTray tray;
    tray.index = names.front().back();
    tray.type = values[0];
    tray.mediaFeedDir = values[1];
    tray.mediaCrossFeedDir = values[2];
    tray.maxCapacity = values[3];
    tray.currentLevel = values[4];
    tray.name = values[5];
    tray.description = values[6];
    sources.trays.assign(1 + names.size() % 3, tray);
    for (const SnmpValue& value : values) sources.hostDeviceTypes.push_back(value.text);
    (void)BuildOptions(sources);
  }
  snmp_free_pdu(pdu);
  return 0;
}
