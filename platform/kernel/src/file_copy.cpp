#include "win/file_copy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "internal.h"

namespace {

constexpr std::size_t kChunk = 8u << 20;

// One chunk through the kernel: copy_file_range between files, sendfile
// where the target is not a regular file. -1 with errno when neither can be
// used or the copy failed.
ssize_t CopyChunkInKernel(int from, int to, std::size_t size) {
  ssize_t n = copy_file_range(from, nullptr, to, nullptr, size, 0);
  if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
    n = sendfile(to, from, nullptr, size);
  }
  return n;
}

// The same through a buffer, for files that support neither.
ssize_t CopyChunkThroughBuffer(int from, int to, std::size_t size, std::vector<char>& buffer) {
  if (buffer.empty()) buffer.resize(1u << 20);
  const ssize_t got = read(from, buffer.data(), size < buffer.size() ? size : buffer.size());
  if (got <= 0) return got;
  for (ssize_t done = 0; done < got;) {
    const ssize_t w = write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      if (w == 0) errno = ENOSPC;
      return -1;
    }
    done += w;
  }
  return got;
}

// Has the disk start writing the `size` bytes just written before the
// current position of `to`; a later flush then waits only for the rest.
void StartWriteback(int to, std::size_t size) {
  const auto length = static_cast<off_t>(size);
  const off_t end = lseek(to, 0, SEEK_CUR);
  if (end >= length) sync_file_range(to, end - length, length, SYNC_FILE_RANGE_WRITE);
}

}  // namespace

namespace tq {

DWORD CopyFileData(HANDLE from, HANDLE to, std::uint64_t count, std::uint64_t* copied, CopyWriteback writeback) {
  if (copied != nullptr) *copied = 0;
  const int source = kernel::DescriptorOf(from);
  const int target = kernel::DescriptorOf(to);
  if (source < 0 || target < 0) return ERROR_INVALID_HANDLE;
  std::vector<char> buffer;
  bool inKernel = true;
  std::uint64_t done = 0;
  while (done < count) {
    if (kernel::FaultFires(FileFault::Write)) return ERROR_DISK_FULL;
    const std::size_t size = count - done < kChunk ? static_cast<std::size_t>(count - done) : kChunk;
    ssize_t n = inKernel ? CopyChunkInKernel(source, target, size) : CopyChunkThroughBuffer(source, target, size, buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && inKernel && (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
      inKernel = false;
      continue;
    }
    if (n < 0) return errno == ENOSPC || errno == EDQUOT ? ERROR_DISK_FULL : kernel::ErrorFromErrno(errno);
    if (n == 0) return ERROR_HANDLE_EOF;
    if (writeback == CopyWriteback::Early) StartWriteback(target, static_cast<std::size_t>(n));
    done += static_cast<std::uint64_t>(n);
    if (copied != nullptr) *copied = done;
  }
  return ERROR_SUCCESS;
}

}  // namespace tq
