// The PSWPlugin calls. Each handle names a shared state; a call takes its
// own reference, so a call still running after PSWPluginUnInit (a worker
// that its caller gave up on) finishes on state nobody else sees.
#include <arpa/inet.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device_options.h"
#include "kdwcif/kdwcif.h"
#include "snmp_exchange.h"

namespace tq::kdwcif {
namespace {

using std::chrono::milliseconds;

constexpr char kVersion[] = "PSW112";
constexpr char kSysDescr[] = "1.3.6.1.2.1.1.1.0";
constexpr char kSysObjectId[] = "1.3.6.1.2.1.1.2.0";
constexpr char kSysUpTime[] = "1.3.6.1.2.1.1.3.0";
constexpr char kSysContact[] = "1.3.6.1.2.1.1.4.0";
constexpr char kSysName[] = "1.3.6.1.2.1.1.5.0";
constexpr char kSysLocation[] = "1.3.6.1.2.1.1.6.0";
constexpr char kMemorySize[] = "1.3.6.1.2.1.25.2.2.0";
constexpr char kDeviceType[] = "1.3.6.1.2.1.25.3.2.1.2";
constexpr char kInputEntry[] = "1.3.6.1.2.1.43.8.2.1.";
constexpr std::size_t kMaxTrays = 32;
constexpr std::size_t kMaxHostDevices = 256;

struct Device {
  std::string address, name, location, type;
};

struct State {
  std::mutex mutex;
  std::vector<std::string> filters;
  std::vector<Device> found;
  std::size_t nextFound = 0;
  bool prepared = false;
  SnmpTarget device;
  bool optionsRead = false;
  DeviceOptions options;
};

struct Handles {
  std::mutex mutex;
  std::map<PSWHANDLE, std::shared_ptr<State>> states;
  PSWHANDLE next = 1;
};

Handles& TheHandles() {
  static Handles handles;
  return handles;
}

std::shared_ptr<State> StateOf(PSWHANDLE handle) {
  Handles& handles = TheHandles();
  std::lock_guard lock(handles.mutex);
  auto found = handles.states.find(handle);
  return found == handles.states.end() ? nullptr : found->second;
}

bool IsIpv4(const char* address) {
  in_addr parsed{};
  return address != nullptr && inet_pton(AF_INET, address, &parsed) == 1;
}

// What KdwcifSetTransport set, for every handle.
struct Transport {
  std::mutex mutex;
  unsigned short port = 161;
  std::vector<std::string> broadcastList;
  milliseconds searchWait{5000};
};

Transport& TheTransport() {
  static Transport transport;
  return transport;
}

unsigned short SnmpPort() {
  Transport& transport = TheTransport();
  std::lock_guard lock(transport.mutex);
  return transport.port;
}

// How long a search waits for answers.
milliseconds SearchWait() {
  Transport& transport = TheTransport();
  std::lock_guard lock(transport.mutex);
  return transport.searchWait;
}

bool IsBroadcast(const std::string& address) {
  return address.size() >= 4 && address.compare(address.size() - 4, 4, ".255") == 0;
}

// The IPv4 addresses of a list separated by commas; others are passed over.
std::vector<std::string> AddressList(const char* text) {
  std::vector<std::string> list;
  if (text == nullptr) return list;
  std::string all = text;
  for (std::size_t start = 0; start <= all.size();) {
    const std::size_t comma = std::min(all.find(',', start), all.size());
    const std::string one = all.substr(start, comma - start);
    if (IsIpv4(one.c_str())) list.push_back(one);
    start = comma + 1;
  }
  return list;
}

std::vector<SnmpAnswer> Ask(const std::string& address, const std::vector<std::string>& oids) {
  const milliseconds wait = SearchWait();
  if (!IsBroadcast(address)) return SnmpGet({address, SnmpPort(), false}, oids, wait);
  std::vector<std::string> reached;
  {
    Transport& transport = TheTransport();
    std::lock_guard lock(transport.mutex);
    reached = transport.broadcastList;
  }
  if (reached.empty()) return SnmpGet({address, SnmpPort(), true}, oids, wait);
  std::vector<std::vector<SnmpAnswer>> each(reached.size());
  std::vector<std::thread> askers;
  for (std::size_t i = 0; i < reached.size(); ++i) {
    askers.emplace_back([&, i] { each[i] = SnmpGet({reached[i], SnmpPort(), false}, oids, wait); });
  }
  for (auto& asker : askers) asker.join();
  std::vector<SnmpAnswer> answers;
  for (auto& some : each) answers.insert(answers.end(), some.begin(), some.end());
  return answers;
}

void CopyText(char* out, int size, const std::string& text) {
  if (out == nullptr) return;
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

// A GET that the prepared device must answer; false when it does not.
bool AskDevice(State& state, const std::vector<std::string>& oids, SnmpAnswer* answer = nullptr) {
  SnmpTarget target;
  {
    std::lock_guard lock(state.mutex);
    if (!state.prepared) return false;
    target = state.device;
  }
  std::vector<SnmpAnswer> answers = SnmpGet(target, oids, SearchWait());
  if (answers.empty()) return false;
  if (answer != nullptr) *answer = std::move(answers.front());
  return true;
}

bool ReadTrays(const SnmpTarget& target, std::vector<InputTray>& trays) {
  std::vector<SnmpRow> types;
  if (!SnmpWalk(target, std::string(kInputEntry) + "2", kMaxTrays, SearchWait(), types)) return false;
  for (const SnmpRow& row : types) {
    InputTray tray;
    tray.index = row.index.empty() ? 0 : row.index.back();
    tray.type = row.value;
    trays.push_back(tray);
  }
  const std::pair<int, SnmpValue InputTray::*> columns[] = {
      {4, &InputTray::mediaFeedDir}, {5, &InputTray::mediaCrossFeedDir}, {9, &InputTray::maxCapacity},
      {10, &InputTray::currentLevel}, {13, &InputTray::name}, {18, &InputTray::description}};
  for (const auto& [column, field] : columns) {
    std::vector<SnmpRow> rows;
    if (!SnmpWalk(target, std::string(kInputEntry) + std::to_string(column), kMaxTrays, SearchWait(), rows)) {
      return false;
    }
    for (std::size_t i = 0; i < rows.size() && i < trays.size(); ++i) {
      if (types[i].index == rows[i].index) trays[i].*field = rows[i].value;
    }
  }
  return true;
}

template <typename Read>
int ReadOption(PSWHANDLE handle, const char* name, Read read) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  if (name == nullptr) return kPswBadArgument;
  std::lock_guard lock(state->mutex);
  if (!state->optionsRead) return kPswNoDevice;
  return read(state->options) ? kPswOk : kPswNoValue;
}

}  // namespace
}  // namespace tq::kdwcif

using namespace tq::kdwcif;

TQ_EXPORT void KdwcifSetTransport(const KdwcifTransport& settings) {
  Transport& transport = TheTransport();
  std::lock_guard lock(transport.mutex);
  transport.port = settings.port != 0 ? settings.port : 161;
  transport.broadcastList = AddressList(settings.broadcastList);
  transport.searchWait = milliseconds(settings.searchWaitMs > 0 ? settings.searchWaitMs : 5000);
}

TQ_EXPORT int PSWPluginInit(const char* argument, const char* version, PSWHANDLE* handle) {
  (void)argument;
  if (handle == nullptr || version == nullptr || std::strcmp(version, kVersion) != 0) return kPswBadArgument;
  Handles& handles = TheHandles();
  std::lock_guard lock(handles.mutex);
  *handle = handles.next++;
  handles.states[*handle] = std::make_shared<State>();
  return kPswOk;
}

TQ_EXPORT void PSWPluginUnInit(PSWHANDLE handle) {
  Handles& handles = TheHandles();
  std::lock_guard lock(handles.mutex);
  handles.states.erase(handle);
}

TQ_EXPORT int PSWPluginFindAddFilter(PSWHANDLE handle, const char* deviceType) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  if (deviceType == nullptr || *deviceType == '\0') return kPswBadArgument;
  std::lock_guard lock(state->mutex);
  state->filters.emplace_back(deviceType);
  return kPswOk;
}

TQ_EXPORT int PSWPluginFindClearFilter(PSWHANDLE handle) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  std::lock_guard lock(state->mutex);
  state->filters.clear();
  return kPswOk;
}

TQ_EXPORT int PSWPluginFindDeviceSNMP(PSWHANDLE handle, const char* address, int protocol, std::uint32_t* count) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  if (count == nullptr || address == nullptr) return kPswBadArgument;
  *count = 0;
  {
    std::lock_guard lock(state->mutex);
    state->found.clear();
    state->nextFound = 0;
  }
  // Only UDP over IP is spoken here; an IPX network cannot be reached.
  if (protocol == kPswProtocolIpx || !IsIpv4(address)) return kPswCommunication;
  const std::vector<SnmpAnswer> answers = Ask(address, {kSysObjectId, kSysName, kSysLocation});
  std::lock_guard lock(state->mutex);
  for (const SnmpAnswer& answer : answers) {
    if (answer.values[0].kind != SnmpValue::Kind::Oid) continue;  // not a device type
    Device device{answer.from, answer.values[1].text, answer.values[2].text, answer.values[0].text};
    const bool kept = state->filters.empty() ||
                      std::find(state->filters.begin(), state->filters.end(), device.type) != state->filters.end();
    if (kept) state->found.push_back(std::move(device));
  }
  *count = static_cast<std::uint32_t>(std::min<std::size_t>(state->found.size(), 0xFFFF));
  return kPswOk;
}

TQ_EXPORT int PSWPluginGetDeviceNext(PSWHANDLE handle, char* address, char* name, char* location,
                                      char* deviceType) {
  auto state = StateOf(handle);
  if (!state) return 0;
  std::lock_guard lock(state->mutex);
  if (state->nextFound >= state->found.size()) return 0;
  const Device& device = state->found[state->nextFound++];
  CopyText(address, kPswAddressSize, device.address);
  CopyText(name, kPswTextSize, device.name);
  CopyText(location, kPswTextSize, device.location);
  CopyText(deviceType, kPswTextSize, device.type);
  return 1;
}

TQ_EXPORT int PSWPluginInitDevice(PSWHANDLE handle, const char* address, const char* deviceType, int protocol) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  if (address == nullptr || deviceType == nullptr) return kPswBadArgument;
  if (protocol == kPswProtocolIpx || !IsIpv4(address) || IsBroadcast(address)) return kPswCommunication;
  {
    std::lock_guard lock(state->mutex);
    state->prepared = true;
    state->optionsRead = false;
    state->device = {address, SnmpPort(), false};
  }
  SnmpAnswer answer;
  if (!AskDevice(*state, {kSysObjectId}, &answer) || answer.values[0].kind != SnmpValue::Kind::Oid) {
    std::lock_guard lock(state->mutex);
    state->prepared = false;
    return kPswCommunication;
  }
  return kPswOk;
}

TQ_EXPORT int PSWPluginRefreshSystemAttributes(PSWHANDLE handle) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  return AskDevice(*state, {kSysDescr, kSysUpTime}) ? kPswOk : kPswCommunication;
}

TQ_EXPORT int PSWPluginRefreshInternetSalutation(PSWHANDLE handle) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  return AskDevice(*state, {kSysContact, kSysName, kSysLocation}) ? kPswOk : kPswCommunication;
}

TQ_EXPORT int PSWPluginRefreshOptions(PSWHANDLE handle) {
  auto state = StateOf(handle);
  if (!state) return kPswBadHandle;
  std::vector<std::string> oids;
  for (const PrivateObject& object : kPrivateObjects) oids.push_back(object.oid);
  oids.push_back(kMemorySize);
  SnmpAnswer answer;
  if (!AskDevice(*state, oids, &answer)) return kPswCommunication;
  OptionSources sources;
  for (std::size_t i = 0; i < std::size(kPrivateObjects); ++i) {
    sources.privateValues[kPrivateObjects[i].name] = answer.values[i];
  }
  sources.memoryKilobytes = answer.values.back();
  SnmpTarget target;
  {
    std::lock_guard lock(state->mutex);
    target = state->device;
  }
  if (!ReadTrays(target, sources.trays)) return kPswCommunication;
  std::vector<SnmpRow> devices;
  if (!SnmpWalk(target, kDeviceType, kMaxHostDevices, SearchWait(), devices)) return kPswCommunication;
  for (const SnmpRow& row : devices) sources.hostDeviceTypes.push_back(row.value.text);
  DeviceOptions options = BuildOptions(sources);
  std::lock_guard lock(state->mutex);
  state->options = std::move(options);
  state->optionsRead = true;
  return kPswOk;
}

TQ_EXPORT int PSWPluginHasOption(PSWHANDLE handle, std::uint32_t mask) {
  auto state = StateOf(handle);
  if (!state || mask == 0) return 0;
  std::lock_guard lock(state->mutex);
  return state->optionsRead && (state->options.mask & mask) == mask ? 1 : 0;
}

TQ_EXPORT int PSWPluginGetOptionValueBoolean(PSWHANDLE handle, const char* name, std::uint32_t* value) {
  return ReadOption(handle, name, [&](const DeviceOptions& options) {
    auto found = options.numbers.find(name);
    if (found == options.numbers.end() || value == nullptr) return false;
    *value = static_cast<std::uint32_t>(found->second);
    return true;
  });
}

TQ_EXPORT int PSWPluginGetOptionValueInteger(PSWHANDLE handle, const char* name, std::int32_t* value) {
  return ReadOption(handle, name, [&](const DeviceOptions& options) {
    auto found = options.numbers.find(name);
    if (found == options.numbers.end() || value == nullptr) return false;
    if (found->second < INT32_MIN || found->second > INT32_MAX) return false;
    *value = static_cast<std::int32_t>(found->second);
    return true;
  });
}

TQ_EXPORT int PSWPluginGetOptionValueUInteger(PSWHANDLE handle, const char* name, std::uint32_t* value) {
  return ReadOption(handle, name, [&](const DeviceOptions& options) {
    auto found = options.numbers.find(name);
    if (found == options.numbers.end() || value == nullptr) return false;
    if (found->second < 0 || found->second > UINT32_MAX) return false;
    *value = static_cast<std::uint32_t>(found->second);
    return true;
  });
}

TQ_EXPORT int PSWPluginGetOptionValueString(PSWHANDLE handle, const char* name, char* text) {
  return ReadOption(handle, name, [&](const DeviceOptions& options) {
    auto found = options.texts.find(name);
    if (found == options.texts.end() || text == nullptr) return false;
    CopyText(text, kPswTextSize, found->second);
    return true;
  });
}
