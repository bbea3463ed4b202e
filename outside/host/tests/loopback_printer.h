// A printer's raw port on 127.0.0.1 for the tests: accepts one connection
// and reads the job, or never reads it, or keeps only its ends (for jobs too
// large to hold), or hangs up with a reset after the first bytes. Every wait
// is bounded.
#pragma once

#include <cstdint>
#include <string>
#include <thread>

namespace tq::host::testing {

class LoopbackPrinter {
 public:
  enum class Mode { ReadAll, NeverRead, KeepEnds, HangUp };
  static constexpr std::size_t kEndSize = 65536;
  explicit LoopbackPrinter(Mode mode);
  ~LoopbackPrinter();
  LoopbackPrinter(const LoopbackPrinter&) = delete;
  LoopbackPrinter& operator=(const LoopbackPrinter&) = delete;

  std::string uri() const;
  // Waits for the connection to end (bounded) and gives what was received.
  std::string Received();
  // KeepEnds: the last bytes received, and how many there were in all.
  std::string ReceivedTail();
  std::uint64_t ReceivedCount();

 private:
  void Serve();

  Mode mode_;
  int listener_ = -1;
  int port_ = 0;
  int stopPipe_[2] = {-1, -1};
  std::string received_;
  std::string tail_;
  std::uint64_t count_ = 0;
  std::thread thread_;
};

// A loopback port on which nothing listens.
std::string RefusingPortUri();

}  // namespace tq::host::testing
