// What a device reports, turned into the library's option masks and named
// values. Kept apart from SNMP so that the rules can be tested alone.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "snmp_exchange.h"

namespace tq::kdwcif {

// One row of the Printer MIB's input table.
struct InputTray {
  unsigned long index = 0;
  SnmpValue type, mediaFeedDir, mediaCrossFeedDir, maxCapacity, currentLevel, name, description;
};

struct OptionSources {
  std::map<std::string, SnmpValue> privateValues;  // by library value name, plus "installedOptions"
  SnmpValue memoryKilobytes;                       // hrMemorySize
  std::vector<InputTray> trays;                    // in index order
  std::vector<std::string> hostDeviceTypes;        // hrDeviceType of every hrDeviceTable row
};

struct DeviceOptions {
  std::uint32_t mask = 0;
  std::map<std::string, long long> numbers;
  std::map<std::string, std::string> texts;
};

DeviceOptions BuildOptions(const OptionSources& sources);

// The objects of the private subtree, by library value name.
struct PrivateObject {
  const char* name;
  const char* oid;
};
extern const PrivateObject kPrivateObjects[6];

}  // namespace tq::kdwcif
