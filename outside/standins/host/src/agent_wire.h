// Reading and writing whole buffers on the agent's socket; shared by the
// agent and its client.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

namespace tq::host::wire {

inline bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

inline bool WriteAll(int fd, const std::string& text) { return WriteAll(fd, text.data(), text.size()); }

// Copies `size` bytes (all until the end when size is UINT64_MAX) from one
// descriptor to another through a bounded buffer; the count copied in `done`.
// On failure `writeFailed` tells a failed write (errno kept) from a source
// that failed or ended early.
inline bool Copy(int from, int to, std::uint64_t size, std::uint64_t& done, bool* writeFailed = nullptr) {
  char buffer[1 << 16];
  done = 0;
  if (writeFailed != nullptr) *writeFailed = false;
  while (done < size) {
    const std::size_t want = size - done < sizeof buffer ? static_cast<std::size_t>(size - done) : sizeof buffer;
    const ssize_t got = read(from, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return size == UINT64_MAX;
    if (!WriteAll(to, buffer, static_cast<std::size_t>(got))) {
      if (writeFailed != nullptr) *writeFailed = true;
      return false;
    }
    done += static_cast<std::uint64_t>(got);
  }
  return true;
}

// The longest header line the agent takes.
inline constexpr std::size_t kLineLimit = 65536;

// One line up to '\n' (not kept), read a byte at a time so that nothing
// after it is consumed; false at the end or past `limit` bytes (then
// `tooLong` is set).
inline bool ReadLine(int fd, std::string& line, std::size_t limit = kLineLimit, bool* tooLong = nullptr) {
  line.clear();
  if (tooLong != nullptr) *tooLong = false;
  for (;;) {
    char c;
    const ssize_t got = read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    if (c == '\n') return true;
    if (line.size() >= limit) {
      if (tooLong != nullptr) *tooLong = true;
      return false;
    }
    line += c;
  }
}

}  // namespace tq::host::wire
