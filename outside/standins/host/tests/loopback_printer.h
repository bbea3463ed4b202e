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
  // What the sender sent, once it has ended (its process exited): a
  // connection it made is read to its end, but no new one is waited for.
  std::string Received();
  // The same for a sender still at work (a job inside a print server):
  // waits, bounded, for its connection.
  std::string AwaitReceived();
  // KeepEnds, once the sender has ended: the last bytes received, and how
  // many there were in all.
  std::string ReceivedTail();
  std::uint64_t ReceivedCount();

 private:
  void Serve();
  void Signal(char what);
  void Finish();
  bool WaitForConnection();
  // Waits for the connection's next bytes; false when the test stops it.
  bool Readable(int connection);

  Mode mode_;
  int listener_ = -1;
  int port_ = 0;
  int signalPipe_[2] = {-1, -1};
  std::string received_;
  std::string tail_;
  std::uint64_t count_ = 0;
  std::thread thread_;
};

// A TCP socket bound to a free port of 127.0.0.1, not yet listening.
int BoundLoopbackSocket(int& port);

// A loopback port on which nothing listens.
std::string RefusingPortUri();

}  // namespace tq::host::testing
