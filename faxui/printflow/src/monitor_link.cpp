#include "printflow/monitor_link.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "common/ansi_slots.h"
#include "win/registry.h"

namespace tq::faxui {

const char* const kMonitorEntryNames[kMonitorEntryCount] = {
    "VqrExecLedgra",          "VqrExecLedgraPreferences",
    "VqrInitializeLedgra",    "VqrUnInitializeLedgra",
    "VqrCreateClientId",      "VqrSetDestinationCount",
    "VqrSetPortName",         "VqrSetFriendlyName",
    "VqrSetParamStyle",       "VqrSetGroupStyle",
    "VqrCreateJobId",         "VqrSetJobId",
    "VqrSetJobDestinations",  "VqrSetVqrData",
    "VqrExecLedgraWithStatus", "VqrExecLedgraPreferencesWithStatus",
    "VqrSetVqrDataEx",
};

namespace {

using monitor::VqrDataFn;
using monitor::VqrHandleFn;
using monitor::VqrInitializeFn;
using monitor::VqrTextFn;

// This layer offers the NT family's calls; a Windows 95 family system would
// be class 2 and anything else 0, which no monitor supports.
constexpr int kPlatformClass = 3;

constexpr DWORD kInstallPathSize = 260;
constexpr DWORD kLibraryPathSize = 128;
constexpr std::size_t kIdBufferSize = 256;  // more than any identifier the library writes

template <typename Fn>
Fn Entry(const MonitorConnection& connection, MonitorEntry which) {
  // Through void (*)(): the layer's FARPROC is a placeholder type for any entry point.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(connection.entries[which]));
}

// A text value of the open key into `buffer` (`size` bytes and one more for
// a terminator the stored value may lack).
bool ReadText(HKEY key, const char* name, char* buffer, DWORD size) {
  DWORD type = 0;
  DWORD length = size;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS) {
    return false;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  buffer[length < size ? length : size] = '\0';
  return buffer[0] != '\0';
}

// False when the text does not fit in `size` units with its terminator.
bool AnsiToWideBuffer(const char* text, char16_t* out, int size) {
  const std::u16string wide = AnsiToWide(text);
  if (wide.empty() || wide.size() >= static_cast<std::size_t>(size)) return false;
  CopyToWideSlot(out, static_cast<std::size_t>(size), wide);
  return true;
}

void UnloadLibrary(MonitorConnection& connection) {
  if (connection.library != nullptr) FreeLibrary(connection.library);
  connection.library = nullptr;
  if (connection.loadCount > 0) --connection.loadCount;
  if (connection.loadCount == 0) {
    for (FARPROC& entry : connection.entries) entry = nullptr;
    connection.hasDataEx = false;
  }
}

bool LoadLibraryEntries(MonitorConnection& connection, const char16_t* path) {
  HMODULE library = LoadLibraryW(path);
  if (library == nullptr) return false;
  FARPROC entries[kMonitorEntryCount] = {};
  for (int i = 0; i < kMonitorEntryCount; ++i) {
    entries[i] = GetProcAddress(library, kMonitorEntryNames[i]);
    if (entries[i] == nullptr && i < kMonitorRequiredEntries) {
      FreeLibrary(library);
      return false;
    }
  }
  connection.library = library;
  std::memcpy(connection.entries, entries, sizeof entries);
  connection.hasDataEx = entries[kVqrSetVqrDataEx] != nullptr;
  ++connection.loadCount;
  return true;
}

}  // namespace

MonitorConnection::~MonitorConnection() { CloseMonitorConnection(*this); }

bool FindMonitorLibrary(char16_t* path, int size) {
  if (kPlatformClass != 2 && kPlatformClass != 3) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMonitorKey, 0, kMonitorKeyAccess, &key) != ERROR_SUCCESS) return false;
  char installed[kInstallPathSize + 1] = {};
  char library[kLibraryPathSize + 1] = {};
  bool found = ReadText(key, nullptr, installed, kInstallPathSize);
  if (found) {
    char16_t installedWide[kInstallPathSize + 1] = {};
    found = AnsiToWideBuffer(installed, installedWide, static_cast<int>(kInstallPathSize + 1)) &&
            GetFileAttributesW(installedWide) != INVALID_FILE_ATTRIBUTES;
  }
  found = found && ReadText(key, kMonitorLibraryValue, library, kLibraryPathSize);
  RegCloseKey(key);
  return found && AnsiToWideBuffer(library, path, size);
}

bool OpenMonitorConnection(MonitorConnection& connection, FaxOptionsBlock& options) {
  options.clientId[0] = '\0';
  connection.announcement = std::make_unique<monitor::Announcement>();
  char16_t path[kLibraryPathSize + 1] = {};
  if (!FindMonitorLibrary(path, static_cast<int>(kLibraryPathSize + 1))) return false;
  if (!LoadLibraryEntries(connection, path)) return false;

  connection.handle = Entry<VqrInitializeFn>(connection, kVqrInitializeLedgra)(0);
  if (connection.handle == 0) {
    UnloadLibrary(connection);
    return false;
  }
  char clientId[kIdBufferSize] = {};
  char jobId[kIdBufferSize] = {};
  Entry<VqrTextFn>(connection, kVqrCreateClientId)(connection.handle, clientId);
  Entry<VqrTextFn>(connection, kVqrCreateJobId)(connection.handle, jobId);
  clientId[kIdBufferSize - 1] = '\0';
  jobId[kIdBufferSize - 1] = '\0';

  char whole[2 * kIdBufferSize + 1] = {};
  std::snprintf(whole, sizeof whole, "%s.%s", clientId, jobId);
  CopyToAnsiSlot(options.clientId, sizeof options.clientId, whole);
  CopyToAnsiSlot(connection.announcement->destination.jobId, sizeof connection.announcement->destination.jobId, jobId);
  return true;
}

std::unique_ptr<unsigned char[]> ToOldFormat(const monitor::Announcement& announcement) {
  const monitor::AnnouncementHeader& from = announcement.header;
  const int count = 1;  // the announcement holds one destination record
  auto block = std::make_unique<unsigned char[]>(monitor::OldFormatSize(count));  // zero-filled

  monitor::OldHeader header{};
  header.count = from.recordCount;
  header.value2 = from.value3 == 3 ? 2 : 0;
  header.value11 = from.value11;
  std::memcpy(header.portName, from.portName, sizeof header.portName);
  std::memcpy(header.printerName, from.printerName, sizeof header.printerName);
  header.firstRecord = monitor::RecordSlotValue(block.get(), sizeof header);
  std::memcpy(block.get(), &header, sizeof header);

  const monitor::DestinationRecord& destination = announcement.destination;
  monitor::OldDestinationRecord record{};
  record.recordSize = sizeof record;
  record.kindFlag = destination.kind == 6 ? 1 : 0;
  record.time = destination.time;
  std::memcpy(record.portName, destination.portName, sizeof record.portName);
  std::memcpy(record.jobId, destination.jobId, sizeof record.jobId);
  std::memcpy(record.documentName, destination.documentName, sizeof record.documentName);
  std::memcpy(record.recipientSummary, destination.recipientSummary, sizeof record.recipientSummary);
  std::memcpy(record.numberSummary, destination.numberSummary, sizeof record.numberSummary);
  std::memcpy(block.get() + sizeof header, &record, sizeof record);
  return block;
}

void SendAnnouncementAndClose(MonitorConnection& connection, const NotedNames& names) {
  if (!connection.open() || !connection.announcement) {
    CloseMonitorConnection(connection);
    return;
  }
  monitor::Announcement& announcement = *connection.announcement;
  monitor::AnnouncementHeader& header = announcement.header;
  monitor::DestinationRecord& destination = announcement.destination;
  header.headerSize = sizeof header;
  header.recordCount = 1;
  header.value3 = 3;
  header.value11 = 11;
  CopyToAnsiSlot(header.portName, sizeof header.portName, names.portName);
  CopyToAnsiSlot(header.printerName, sizeof header.printerName, names.printerName);
  char user[monitor::kUserNameSize] = {};
  DWORD userSize = sizeof user;
  if (GetUserNameA(user, &userSize) == FALSE) user[0] = '\0';
  CopyToAnsiSlot(header.userName, sizeof header.userName, user);
  header.firstRecord = monitor::RecordSlotValue(&announcement, offsetof(monitor::Announcement, destination));

  destination.recordSize = sizeof destination;
  destination.time = static_cast<std::int32_t>(std::time(nullptr));
  CopyToAnsiSlot(destination.portName, sizeof destination.portName, names.portName);
  CopyToAnsiSlot(destination.documentName, sizeof destination.documentName, names.documentName);

  std::int32_t taken = 0;
  if (connection.hasDataEx) {
    taken = Entry<VqrDataFn>(connection, kVqrSetVqrDataEx)(connection.handle, &announcement);
  } else {
    const auto older = ToOldFormat(announcement);
    taken = Entry<VqrDataFn>(connection, kVqrSetVqrData)(connection.handle, older.get());
  }
  if (taken != 0) Entry<VqrHandleFn>(connection, kVqrExecLedgra)(connection.handle);
  CloseMonitorConnection(connection);
}

void CloseMonitorConnection(MonitorConnection& connection) {
  if (connection.handle != 0 && connection.entries[kVqrUnInitializeLedgra] != nullptr) {
    Entry<VqrHandleFn>(connection, kVqrUnInitializeLedgra)(connection.handle);
  }
  connection.handle = 0;
  if (connection.library != nullptr) UnloadLibrary(connection);
}

}  // namespace tq::faxui
