// A print server's line printer daemon on 127.0.0.1 for the tests: takes
// one "receive job" for the queue it is given (refusing others), and keeps
// the files it receives. Every wait is bounded.
#pragma once

#include <string>
#include <thread>

namespace tq::host::testing {

class LoopbackLpd {
 public:
  struct Received {
    std::string queue;  // as asked for, refused or not
    std::string controlName, control;
    std::string dataName, data;
    bool whole = false;  // both files came, each ending with its zero byte
  };

  explicit LoopbackLpd(std::string queue);
  ~LoopbackLpd();
  LoopbackLpd(const LoopbackLpd&) = delete;
  LoopbackLpd& operator=(const LoopbackLpd&) = delete;

  std::string uri(const std::string& queue) const;
  // Waits (bounded) for the job's connection to end.
  Received Job();

 private:
  void Serve();

  std::string queue_;
  int listener_ = -1;
  int port_ = 0;
  Received received_;
  std::thread thread_;
};

}  // namespace tq::host::testing
