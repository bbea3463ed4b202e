#include "host/job_sink.h"

#include <unistd.h>

#include <vector>

#include "host/output_file.h"
#include "host/port_sink.h"

namespace tq::host {

namespace {

constexpr DWORD kChunk = 1u << 20;

class DescriptorSink final : public JobSink {
 public:
  DescriptorSink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}

  bool Write(std::string_view bytes, std::string& error) override {
    while (!bytes.empty()) {
      const ssize_t written = write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        error = name_ + " cannot be written";
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  bool CopyFrom(HANDLE document, std::uint64_t size, std::string& error) override {
    return CopyInChunks(
        document, size, [this](std::string_view chunk, std::string& failure) { return Write(chunk, failure); },
        error);
  }

 private:
  int fd_;
  std::string name_;
};

}  // namespace

bool CopyInChunks(HANDLE document, std::uint64_t size,
                  const std::function<bool(std::string_view, std::string&)>& write, std::string& error) {
  std::vector<char> buffer(kChunk);
  while (size > 0) {
    const DWORD want = size < kChunk ? static_cast<DWORD>(size) : kChunk;
    DWORD got = 0;
    if (!ReadFile(document, buffer.data(), want, &got, nullptr) || got == 0) {
      error = "the document cannot be read to its end";
      return false;
    }
    if (!write(std::string_view(buffer.data(), got), error)) return false;
    size -= got;
  }
  return true;
}

bool DeliverJob(const JobTarget& target, const JobProducer& produce, std::string& error) {
  switch (target.kind) {
    case JobTarget::Kind::File: return ReplaceFileStreaming(target.where, produce, error);
    case JobTarget::Kind::Port: {
      PortSink port;
      return port.Open(target.where, target.timeoutSeconds, error) && produce(port, error) && port.Finish(error);
    }
    case JobTarget::Kind::StandardOutput: {
      DescriptorSink out(STDOUT_FILENO, "standard output");
      return produce(out, error);
    }
  }
  return false;
}

}  // namespace tq::host
