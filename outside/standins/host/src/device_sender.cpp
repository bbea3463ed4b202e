#include "host/device_sender.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tq::host {

DeviceOutcome SendStreamToDevice(const std::string& uri, int stream, const LpdJob& job, int timeoutSeconds,
                                 std::string& error) {
  struct stat info {};
  if (fstat(stream, &info) != 0 || lseek(stream, 0, SEEK_SET) != 0) {
    error = "the job's stream cannot be read back";
    return DeviceOutcome::Failed;
  }
  const auto size = static_cast<std::uint64_t>(info.st_size);
  const bool toServer = uri.rfind("lpd://", 0) == 0;
  LpdAddress lpd;
  if (toServer ? !ParseLpdUri(uri, lpd, error) : !ParsePortUri(uri, lpd.server, error)) return DeviceOutcome::Failed;
  PortSink connection;
  if (!connection.Connect(lpd.server, uri, timeoutSeconds, error)) return DeviceOutcome::Unreachable;
  const bool sent = toServer ? SendLpdJob(connection, lpd.queue, job, stream, size, error)
                             : connection.SendFrom(stream, size, error);
  return sent && connection.Finish(error) ? DeviceOutcome::Sent : DeviceOutcome::Failed;
}

}  // namespace tq::host
