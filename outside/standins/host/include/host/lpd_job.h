// Handing a job to a line printer daemon's queue (lpd://HOST[:PORT]/QUEUE):
// the "receive job" command, the data file, then the control file that
// makes it a job, each acknowledged by the daemon.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/port_sink.h"

namespace tq::host {

struct LpdAddress {
  PortAddress server;  // port 515 unless the URI names one
  std::string queue;
};

// "lpd://HOST[:PORT]/QUEUE"; false with a message for anything else.
[[nodiscard]] bool ParseLpdUri(std::string_view uri, LpdAddress& address, std::string& error);

struct LpdJob {
  int number = 0;     // the print server's job number; its last three digits name the files
  std::string host;   // this machine
  std::string user;
  std::string title;
};

// The control file: who sent it, the job's name, and one data file printed
// as it stands (control characters included) and then removed. Text that
// is not printable ASCII becomes '_' so that no value can add a line.
std::string LpdControlFile(const LpdJob& job);

// Over an open connection to the daemon: sends `size` bytes read from
// `stream` as the job's data file and the control file. False with a
// message when the daemon refuses the queue or a file, or the connection fails.
[[nodiscard]] bool SendLpdJob(PortSink& connection, const std::string& queue, const LpdJob& job, int stream,
                              std::uint64_t size, std::string& error);

}  // namespace tq::host
