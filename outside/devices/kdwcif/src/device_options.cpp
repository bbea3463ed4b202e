#include "device_options.h"

namespace tq::kdwcif {
namespace {

constexpr std::uint32_t kHostSystem = 0x1;
constexpr std::uint32_t kFax = 0x8;
constexpr std::uint32_t kHardDisk = 0x10;
constexpr std::uint32_t kG4Kit = 0x1000;
constexpr std::uint32_t kTrayManual = 0x10000;
constexpr std::uint32_t kTrayHighCapacity = 0x20000;
constexpr std::uint32_t kTrayMulti = 0x40000;
// Bits that only the private installedOptions object reports.
constexpr std::uint32_t kInstalledBits =
    0x2 | 0x4 | 0x20 | 0x80 | 0x100 | 0x200 | 0x200000 | 0x400000 | 0x800000 | 0x1000000 | 0x2000000 | 0x4000000;

constexpr char kDeviceProcessor[] = "1.3.6.1.2.1.25.3.1.3";
constexpr char kDeviceDiskStorage[] = "1.3.6.1.2.1.25.3.1.6";
constexpr long long kSheetFeedManual = 5;      // prtInputType
constexpr long long kHighCapacitySheets = 1500;
constexpr std::size_t kMultiTrayCount = 3;

bool IsNumber(const SnmpValue& value) { return value.kind == SnmpValue::Kind::Integer; }

void PutNumber(DeviceOptions& options, const char* name, const SnmpValue& value) {
  if (IsNumber(value)) options.numbers[name] = value.number;
}

void PutText(DeviceOptions& options, const char* name, const SnmpValue& value) {
  if (value.kind == SnmpValue::Kind::Text) options.texts[name] = value.text;
}

}  // namespace

const PrivateObject kPrivateObjects[6] = {
    {"FAXUnit", "1.3.6.1.4.1.32473.2.1.1.0"},          {"FAXISDNG4Kit", "1.3.6.1.4.1.32473.2.1.2.0"},
    {"FAXLineSwitchKit", "1.3.6.1.4.1.32473.2.1.3.0"}, {"FAXMaxSpeedDial", "1.3.6.1.4.1.32473.2.1.4.0"},
    {"PrinterRomVersion", "1.3.6.1.4.1.32473.2.1.5.0"}, {"installedOptions", "1.3.6.1.4.1.32473.2.1.10.0"},
};

DeviceOptions BuildOptions(const OptionSources& sources) {
  DeviceOptions options;
  for (const auto& [name, value] : sources.privateValues) {
    if (name == "installedOptions") {
      if (IsNumber(value)) options.mask |= static_cast<std::uint32_t>(value.number) & kInstalledBits;
    } else if (name == "PrinterRomVersion") {
      PutText(options, "PrinterRomVersion", value);
    } else {
      PutNumber(options, name.c_str(), value);
    }
  }
  auto flag = [&](const char* name) {
    auto found = options.numbers.find(name);
    return found != options.numbers.end() && found->second == 1;
  };
  if (flag("FAXUnit")) options.mask |= kFax;
  if (flag("FAXISDNG4Kit")) options.mask |= kG4Kit;
  for (const std::string& type : sources.hostDeviceTypes) {
    if (type == kDeviceProcessor) options.mask |= kHostSystem;
    if (type == kDeviceDiskStorage) options.mask |= kHardDisk;
  }

  if (IsNumber(sources.memoryKilobytes) && sources.memoryKilobytes.number >= 0) {
    options.numbers["MemorySizeInKByte"] = sources.memoryKilobytes.number;
    options.numbers["MemorySizeInMByte"] = sources.memoryKilobytes.number / 1024;
  }

  options.numbers["NumberOfInputTray"] = static_cast<long long>(sources.trays.size());
  if (sources.trays.size() >= kMultiTrayCount) options.mask |= kTrayMulti;
  for (const InputTray& tray : sources.trays) {
    if (IsNumber(tray.type) && tray.type.number == kSheetFeedManual) options.mask |= kTrayManual;
    if (IsNumber(tray.maxCapacity) && tray.maxCapacity.number >= kHighCapacitySheets) options.mask |= kTrayHighCapacity;
  }
  // The single-tray values describe the first tray.
  if (!sources.trays.empty()) {
    const InputTray& first = sources.trays.front();
    options.numbers["InputTrayIndex"] = static_cast<long long>(first.index);
    PutNumber(options, "InputTrayType", first.type);
    PutNumber(options, "InputTrayMaxCapacityInSheets", first.maxCapacity);
    PutNumber(options, "InputTrayMediaSize", first.mediaFeedDir);
    PutNumber(options, "InputTrayMediaDirection", first.mediaCrossFeedDir);
    // The Printer MIB's -2 (unknown) and -3 (at least one sheet) are no level.
    if (IsNumber(first.maxCapacity) && first.maxCapacity.number > 0 && IsNumber(first.currentLevel) &&
        first.currentLevel.number >= 0) {
      options.numbers["InputTrayCurrentLevelInPercent"] =
          first.currentLevel.number * 100 / first.maxCapacity.number;
    }
    PutText(options, "InputTrayName", first.name);
    PutText(options, "InputTrayDescription", first.description);
  }
  return options;
}

}  // namespace tq::kdwcif
