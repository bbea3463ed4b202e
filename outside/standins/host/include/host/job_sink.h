// Where a job stream goes, written piece by piece so that a document of any
// size passes through in bounded chunks: the PJL lines as text, the
// document's bytes copied from its open file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "win/kernel.h"

namespace tq::host {

class JobSink {
 public:
  virtual ~JobSink() = default;
  // False with a message naming the target and what failed.
  [[nodiscard]] virtual bool Write(std::string_view bytes, std::string& error) = 0;
  // Copies `size` bytes from the current position of `document`.
  [[nodiscard]] virtual bool CopyFrom(HANDLE document, std::uint64_t size, std::string& error) = 0;
};

// What writes a whole job into a sink; false with a message when it fails.
using JobProducer = std::function<bool(JobSink& sink, std::string& error)>;

// Copies `size` bytes of `document` through a bounded buffer, handing each
// chunk to `write`; for sinks the kernel cannot copy into.
[[nodiscard]] bool CopyInChunks(HANDLE document, std::uint64_t size,
                                const std::function<bool(std::string_view, std::string&)>& write,
                                std::string& error);

// Where `qlhost print` sends the job.
struct JobTarget {
  enum class Kind { File, Port, StandardOutput };
  Kind kind = Kind::StandardOutput;
  std::string where;       // the file's path or the port's URI
  int timeoutSeconds = 30;  // waits on a port
};

// Runs `produce` into the target: a file appears whole or not at all, a port
// gets the stream over one connection. False with one line saying what failed.
[[nodiscard]] bool DeliverJob(const JobTarget& target, const JobProducer& produce, std::string& error);

}  // namespace tq::host
