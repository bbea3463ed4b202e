// Test support loaded into a program under test with LD_PRELOAD: widens the
// moments between the steps of a change, so that a test can order the steps
// of two processes. TELEQUILL_TEST_LOCK_DELAY_MS delays every exclusive
// flock of a file open for reading and writing (the moment between opening
// a file to change it and locking it; new files, written only, are not),
// TELEQUILL_TEST_RENAME_DELAY_MS every rename (the moment between reading a
// file and replacing it), TELEQUILL_TEST_CONNECT_DELAY_MS every connect
// (the moment between checking a socket and connecting to it). Never linked
// into anything shipped.
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

long Milliseconds(const char* name) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtol(text, nullptr, 10) : 0;
}

void Pause(long milliseconds) {
  if (milliseconds > 0) usleep(static_cast<useconds_t>(milliseconds) * 1000);
}

}  // namespace

extern "C" {

int flock(int fd, int operation) {
  if ((operation & LOCK_EX) != 0 && (fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDWR) Pause(Milliseconds("TELEQUILL_TEST_LOCK_DELAY_MS"));
  return static_cast<int>(syscall(SYS_flock, fd, operation));
}

int rename(const char* from, const char* to) {
  Pause(Milliseconds("TELEQUILL_TEST_RENAME_DELAY_MS"));
  return static_cast<int>(syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}

int connect(int fd, const struct sockaddr* address, socklen_t length) {
  Pause(Milliseconds("TELEQUILL_TEST_CONNECT_DELAY_MS"));
  return static_cast<int>(syscall(SYS_connect, fd, address, length));
}

}  // extern "C"
