// The document monitor client library stand-in. A job's calls arrive here in
// the order the plug-in makes them; each is noted in calls.log, and the data
// call's announcement is decoded into announcements.jsonl, both in
// $TELEQUILL_ROOT/monitor/. Identifiers are made up but predictable: the
// client identifier is always "TQCLIENT", job identifiers count up from
// "J0001" in the file next-job-id.
//
// For the plug-in's tests, VqrStandInFail("initialize") makes
// VqrInitializeLedgra fail (return 0) and VqrStandInFail("data") the data
// calls, so that no VqrExecLedgra should follow; VqrStandInFail("") ends
// the failures.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "announcement_json.h"
#include "stand_in_calls.h"
#include "common/monitor_announcement.h"
#include "win/export.h"
#include "win/file_read.h"
#include "win/text.h"

namespace {

using tq::monitor::VqrHandle;
constexpr VqrHandle kHandle = 0x7651;  // the one connection this stand-in hands out
constexpr char kClientId[] = "TQCLIENT";

// The monitor records name documents and recipients: the folder and its
// files are private to the user.
std::string MonitorFolder() {
  const std::string folder = tq::WindowsDirectory() + "/monitor";
  mkdir(folder.c_str(), 0700);
  return folder;
}

void WritePrivate(const std::string& path, const std::string& bytes, int how) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | how, 0600);
  if (fd < 0) return;
  struct stat info {};
  // Only into a regular file: a FIFO or device there is left alone.
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
      if (wrote <= 0) break;
      done += static_cast<std::size_t>(wrote);
    }
  }
  close(fd);
}

}  // namespace

namespace tq::vqrapi {
namespace {

// The calls a test asked to fail, while this library stays loaded.
std::string& FailingCalls() {
  static std::string calls;
  return calls;
}

}  // namespace

void AppendLine(const char* file, const std::string& line) {
  WritePrivate(MonitorFolder() + "/" + file, line + "\n", O_APPEND);
}

void NoteCall(const char* name) { AppendLine("calls.log", name); }

bool Failing(const char* what) { return FailingCalls() == what; }

int Known(VqrHandle handle) { return handle == kHandle ? 1 : 0; }

}  // namespace tq::vqrapi

using namespace tq::vqrapi;

namespace {

int NextJobNumber() {
  const std::string file = MonitorFolder() + "/next-job-id";
  std::string text;
  int next = 1;
  if (tq::ReadRegularFile(file, 32, text) == ERROR_SUCCESS) next = std::atoi(text.c_str());
  if (next < 1) next = 1;
  WritePrivate(file, std::to_string(next + 1) + "\n", O_TRUNC);
  return next;
}

}  // namespace

TQ_EXPORT void VqrStandInFail(const char* calls) { FailingCalls() = calls != nullptr ? calls : ""; }

TQ_EXPORT VqrHandle VqrInitializeLedgra(std::int32_t /*reserved*/) {
  NoteCall("VqrInitializeLedgra");
  return Failing("initialize") ? 0 : kHandle;
}

TQ_EXPORT std::int32_t VqrUnInitializeLedgra(VqrHandle handle) {
  NoteCall("VqrUnInitializeLedgra");
  return Known(handle);
}

TQ_EXPORT std::int32_t VqrCreateClientId(VqrHandle handle, char* buffer) {
  NoteCall("VqrCreateClientId");
  if (!Known(handle) || buffer == nullptr) return 0;
  std::memcpy(buffer, kClientId, sizeof kClientId);
  return 1;
}

TQ_EXPORT std::int32_t VqrCreateJobId(VqrHandle handle, char* buffer) {
  NoteCall("VqrCreateJobId");
  if (!Known(handle) || buffer == nullptr) return 0;
  std::snprintf(buffer, tq::monitor::kJobIdSize, "J%04d", NextJobNumber());
  return 1;
}

TQ_EXPORT std::int32_t VqrSetVqrData(VqrHandle handle, const void* data) {
  NoteCall("VqrSetVqrData");
  if (!Known(handle) || data == nullptr || Failing("data")) return 0;
  tq::monitor::OldHeader header;
  std::memcpy(&header, data, sizeof header);
  // The caller's block holds its header and `count` records; more than the
  // fifty a job can have is not believed.
  const int count = header.count < 0 ? 0 : header.count > 50 ? 50 : header.count;
  AppendLine("announcements.jsonl", tq::vqrapi::OldFormatToJson(data, tq::monitor::OldFormatSize(count)));
  return 1;
}

TQ_EXPORT std::int32_t VqrExecLedgra(VqrHandle handle) {
  NoteCall("VqrExecLedgra");
  return Known(handle);
}

// The rest of the library's calls: present so that a caller can resolve
// them, noted when called, doing nothing else.
TQ_EXPORT std::int32_t VqrExecLedgraPreferences(VqrHandle handle) {
  NoteCall("VqrExecLedgraPreferences");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrSetDestinationCount(VqrHandle handle, std::int32_t /*count*/) {
  NoteCall("VqrSetDestinationCount");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrSetPortName(VqrHandle handle, const char* /*name*/) {
  NoteCall("VqrSetPortName");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrSetFriendlyName(VqrHandle handle, const char* /*name*/) {
  NoteCall("VqrSetFriendlyName");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrSetParamStyle(VqrHandle handle, std::int32_t /*style*/) {
  NoteCall("VqrSetParamStyle");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrSetJobId(VqrHandle handle, const char* /*jobId*/) {
  NoteCall("VqrSetJobId");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrSetJobDestinations(VqrHandle handle, const void* /*destinations*/) {
  NoteCall("VqrSetJobDestinations");
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrExecLedgraWithStatus(VqrHandle handle, std::int32_t* status) {
  NoteCall("VqrExecLedgraWithStatus");
  if (status != nullptr) *status = 0;
  return Known(handle);
}
TQ_EXPORT std::int32_t VqrExecLedgraPreferencesWithStatus(VqrHandle handle, std::int32_t* status) {
  NoteCall("VqrExecLedgraPreferencesWithStatus");
  if (status != nullptr) *status = 0;
  return Known(handle);
}
