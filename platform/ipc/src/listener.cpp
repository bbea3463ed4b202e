// The listener: one thread per process that accepts one question per
// connection on the process's socket and answers it.
//
// The socket is made under a temporary name and renamed into place once it
// listens, so that a socket under a process id that refuses connections is
// always a stale one that others may remove. The listener's state is never
// destroyed: at exit the thread may still be inside a call that waits for
// the windows' thread, and is then left behind rather than waited for.
#include <fcntl.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

#include "answers.h"
#include "ipc/ipc.h"
#include "listener.h"
#include "peers.h"
#include "socket_io.h"
#include "win/foreign_window.h"
#include "win/user.h"
#include "win/user_input.h"

namespace tq::ipc {
namespace {

inline constexpr std::chrono::milliseconds kQuestionTime{2000};
inline constexpr std::chrono::milliseconds kStopTime{2000};

struct Listener {
  std::mutex mutex;
  bool running = false;
  bool exitHandlerSet = false;
  std::string path;
  int listening = -1;
  int wake[2] = {-1, -1};
  std::thread thread;
  std::atomic<bool> finished{false};
  std::atomic<std::uint64_t> token{0};
  std::thread::id windowThread;
};

Listener& TheListener() {
  static Listener* listener = new Listener;  // outlives exit, see above
  return *listener;
}

std::uint64_t FreshToken() {
  std::uint64_t token = 0;
  while (token == 0) {
    if (getrandom(&token, sizeof token, 0) != static_cast<ssize_t>(sizeof token)) {
      token = (static_cast<std::uint64_t>(getpid()) << 32) ^ static_cast<std::uint64_t>(Clock::now().time_since_epoch().count());
    }
  }
  return token;
}

// The asking process, when it is the same user's; nullopt otherwise.
std::optional<pid_t> SameUsersProcess(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != geteuid()) return std::nullopt;
  return peer.pid;
}

void AnswerOne(int fd, std::uint64_t token) {
  Socket connection(fd);
  const std::optional<pid_t> asker = SameUsersProcess(connection.fd());
  if (!asker) return;
  const Clock::time_point deadline = Clock::now() + kQuestionTime;
  const auto message = ReadMessage(connection.fd(), kRequestMagic, deadline);
  if (!message) return;
  Answer answer;
  answer.token = token;
  if (const auto request = DecodeRequest(*message)) {
    answer = Respond(*request, token, *asker);
  } else {
    answer.status = Status::Refused;
  }
  // The asker may have given up meanwhile; it then simply gets nothing.
  WriteAll(connection.fd(), EncodeAnswer(answer), Clock::now() + kQuestionTime);
}

void Serve(int listening, int wake, std::uint64_t token) {
  for (;;) {
    pollfd fds[2] = {{listening, POLLIN, 0}, {wake, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;
    if ((fds[0].revents & POLLIN) == 0) continue;
    const int fd = accept4(listening, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0) AnswerOne(fd, token);
  }
  TheListener().finished = true;
}

void StopAtExit() { StopWindowListener(); }

void Complain(const std::string& what) {
  std::fprintf(stderr, "telequill: other programs cannot reach this program's windows: %s\n", what.c_str());
}

}  // namespace

std::uint64_t ListenerToken() { return TheListener().token.load(); }

void StopAtExitFromNow() { std::atexit(StopAtExit); }

void NoteWindowThread() {
  Listener& listener = TheListener();
  std::lock_guard lock(listener.mutex);
  listener.windowThread = std::this_thread::get_id();
}

bool StartWindowListener() {
  Listener& listener = TheListener();
  std::lock_guard lock(listener.mutex);
  if (listener.running) return true;
  const std::string folder = SocketFolder();
  if (folder.empty()) {
    Complain("no private runtime folder (see TELEQUILL_ROOT and XDG_RUNTIME_DIR)");
    return false;
  }
  const std::string path = SocketPath(folder, getpid());
  const std::string making = path + ".new";
  unlink(making.c_str());
  Socket listening = ListenAt(making);
  if (!listening.valid() || rename(making.c_str(), path.c_str()) != 0) {
    Complain(making + ": " + std::strerror(errno));
    unlink(making.c_str());
    return false;
  }
  if (pipe2(listener.wake, O_CLOEXEC | O_NONBLOCK) != 0) {
    Complain(std::string("pipe: ") + std::strerror(errno));
    unlink(path.c_str());
    return false;
  }
  // The user layer's shared objects that the listener's thread reaches are
  // made now, before the exit handler that stops it is registered, so that
  // they are destroyed only after it has stopped.
  IsWindow(nullptr);
  ui::HandledPostedCommands(0);
  listener.token = FreshToken();
  listener.path = path;
  listener.listening = listening.Release();
  listener.finished = false;
  listener.thread = std::thread(Serve, listener.listening, listener.wake[0], listener.token.load());
  listener.running = true;
  if (!listener.exitHandlerSet) {
    std::atexit(StopAtExit);
    listener.exitHandlerSet = true;
  }
  return true;
}

void StopWindowListener() {
  Listener& listener = TheListener();
  std::lock_guard lock(listener.mutex);
  if (!listener.running) return;
  listener.running = false;
  unlink(listener.path.c_str());
  const char stop = 1;
  [[maybe_unused]] const ssize_t ignored = write(listener.wake[1], &stop, 1);
  // A question being answered may wait for the windows' thread; when that
  // is us, keep its marshalled calls flowing while we wait.
  const bool onWindowThread = listener.windowThread == std::this_thread::get_id();
  const Clock::time_point deadline = Clock::now() + kStopTime;
  while (!listener.finished && Clock::now() < deadline) {
    if (onWindowThread) ui::RunWaitingCalls();
    poll(nullptr, 0, 5);
  }
  if (!listener.finished) {
    listener.thread.detach();  // its descriptors stay open for it
    return;
  }
  listener.thread.join();
  close(listener.listening);
  close(listener.wake[0]);
  close(listener.wake[1]);
  listener.listening = listener.wake[0] = listener.wake[1] = -1;
}

}  // namespace tq::ipc
