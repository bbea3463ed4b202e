// Sending a finished job stream to the fax queue's device: a printer's raw
// port (socket://HOST:PORT) or a print server's queue (lpd://HOST/QUEUE).
#pragma once

#include <string>

#include "host/lpd_job.h"

namespace tq::host {

enum class DeviceOutcome {
  Sent,
  Unreachable,  // no connection: worth trying again shortly
  Failed,       // the connection broke or the device refused the job
};

// Sends the whole of `stream` (an open file, read from its start) over one
// connection; `job` names the job to a print server. `error` says what failed.
DeviceOutcome SendStreamToDevice(const std::string& uri, int stream, const LpdJob& job, int timeoutSeconds,
                                 std::string& error);

}  // namespace tq::host
