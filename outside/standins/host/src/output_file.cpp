#include "host/output_file.h"

#include "win/file_copy.h"
#include "win/file_replace.h"
#include "win/text.h"

namespace tq::host {

namespace {

class FileSink final : public JobSink {
 public:
  FileSink(HANDLE file, std::string path) : file_(file), path_(std::move(path)) {}

  bool Write(std::string_view bytes, std::string& error) override {
    return WriteAllBytes(file_, bytes) || Failed(GetLastError(), error);
  }

  bool CopyFrom(HANDLE document, std::uint64_t size, std::string& error) override {
    const DWORD code = CopyFileData(document, file_, size, nullptr);
    return code == ERROR_SUCCESS || Failed(code, error);
  }

 private:
  bool Failed(DWORD code, std::string& error) const {
    error = path_ + ": cannot be written (" + DescribeFileError(code) + ")";
    return false;
  }

  HANDLE file_;
  std::string path_;
};

}  // namespace

bool ReplaceFileStreaming(const std::string& path, const JobProducer& produce, std::string& error) {
  // The producer's own message (a document that ends early, a conversion
  // that fails) wins over the writer's.
  bool produced = true;
  // Not flushed to disk: like the bytes sent to a printer port, a job is
  // made again from its document, and a flush would cost more than the
  // rest of a short job.
  FileReplaceOptions options;
  options.durable = false;
  const DWORD code = ReplaceFileWith(
      Utf8ToUtf16(path),
      [&](HANDLE file) {
        FileSink sink(file, path);
        produced = produce(sink, error);
        return produced;
      },
      options);
  if (code == ERROR_SUCCESS) return true;
  if (produced) error = path + ": cannot be written (" + DescribeFileError(code) + ")";
  return false;
}

}  // namespace tq::host
