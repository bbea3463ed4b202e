// The link to the document monitor: finding its client library through the
// registry, loading it for one job, getting the job's identifiers, handing
// over the announcement and unloading the library again.
//
// Everything of one job's link lives in its MonitorConnection, which the
// caller keeps for the length of the fax point; nothing is shared between
// jobs, so two documents printed at once cannot mix their connections.
// Every failure just leaves the connection closed: no message is shown.
#pragma once

#include <memory>

#include "common/fax_job_settings.h"
#include "common/monitor_announcement.h"
#include "win/kernel.h"

namespace tq::faxui {

inline constexpr char kMonitorKey[] = "SOFTWARE\\Kalde\\Varnholtex\\Client\\Ledgra";
inline constexpr char kMonitorLibraryValue[] = "VqrApi";
inline constexpr DWORD kMonitorKeyAccess = 0x2001F;  // read, set value, create sub-key

// The library's entry points in the order of their slots; the first
// fourteen must all be there, the last three may be missing.
inline constexpr int kMonitorEntryCount = 17;
inline constexpr int kMonitorRequiredEntries = 14;
extern const char* const kMonitorEntryNames[kMonitorEntryCount];
enum MonitorEntry {
  kVqrExecLedgra, kVqrExecLedgraPreferences, kVqrInitializeLedgra, kVqrUnInitializeLedgra,
  kVqrCreateClientId, kVqrSetDestinationCount, kVqrSetPortName, kVqrSetFriendlyName,
  kVqrSetParamStyle, kVqrSetGroupStyle, kVqrCreateJobId, kVqrSetJobId, kVqrSetJobDestinations,
  kVqrSetVqrData, kVqrExecLedgraWithStatus, kVqrExecLedgraPreferencesWithStatus, kVqrSetVqrDataEx,
};

// The names the announcement takes from the start of the document (ANSI).
struct NotedNames {
  char portName[monitor::kPortNameSize] = {};
  char printerName[monitor::kPrinterNameSize] = {};
  char documentName[monitor::kDocumentNameSize] = {};
};

struct MonitorConnection {
  HMODULE library = nullptr;
  FARPROC entries[kMonitorEntryCount] = {};
  int loadCount = 0;
  bool hasDataEx = false;  // the library takes the 1412-byte announcement
  monitor::VqrHandle handle = 0;
  std::unique_ptr<monitor::Announcement> announcement;  // zero-filled when opened

  MonitorConnection() = default;
  MonitorConnection(const MonitorConnection&) = delete;
  MonitorConnection& operator=(const MonitorConnection&) = delete;
  ~MonitorConnection();  // closes an open connection without announcing

  bool open() const { return handle != 0; }
};

// The path of the monitor's client library from the registry, after the
// installation checks (the key, its default value naming a file that
// exists, the library value); false when any of them fails.
bool FindMonitorLibrary(char16_t* path, int size);

// Opens the connection for one job. On success the options block's client
// identifier reads "client.job" and the announcement holds the job
// identifier; on any failure the client identifier is empty, the library is
// not loaded, and the result is false.
bool OpenMonitorConnection(MonitorConnection& connection, FaxOptionsBlock& options);

// Completes the announcement with the noted names, the time and the user,
// hands it to the library (in the older format when the library lacks the
// extended call), asks the monitor to run when that was taken, and closes.
void SendAnnouncementAndClose(MonitorConnection& connection, const NotedNames& names);

// Ends the connection without announcing and unloads the library.
void CloseMonitorConnection(MonitorConnection& connection);

// The older data format of an announcement: a block of
// monitor::OldFormatSize(count) bytes.
std::unique_ptr<unsigned char[]> ToOldFormat(const monitor::Announcement& announcement);

}  // namespace tq::faxui
