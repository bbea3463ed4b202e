// How the layer plugs into the user layer when it is loaded: FindWindowW
// across processes, GetForegroundWindow from TELEQUILL_FOREGROUND, and the
// listener started by the process's first window.
#include "foreign_hooks.h"

#include <unistd.h>

#include <charconv>
#include <cstdlib>

#include "ipc/ipc.h"
#include "listener.h"
#include "peers.h"
#include "remote_window.h"
#include "win/environment.h"
#include "win/face.h"
#include "win/foreign_window.h"
#include "win/user.h"

namespace tq::ipc {
namespace {

template <class T>
bool ParseNumber(std::string_view text, T* value, int base) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string_view Hex(std::string_view text) {
  return text.starts_with("0x") || text.starts_with("0X") ? text.substr(2) : text;
}

// A top-level window of another process titled exactly `title`: the first
// that the processes with a socket name, in process id order.
HWND FindInOtherProcesses(const std::u16string& title) {
  for (const pid_t pid : ListedPeers()) {
    Request request;
    request.operation = Operation::Find;
    request.text = title;
    const auto answer = Ask(pid, request);
    if (answer && answer->status == Status::Ok && answer->value != 0) {
      return ProxyFor(pid, static_cast<std::uint64_t>(answer->value), answer->token);
    }
  }
  return nullptr;
}

// The starting program's dialog, while it still exists.
HWND HandedForeground() {
  const auto value = EnvironmentValue("TELEQUILL_FOREGROUND");
  if (!value) return nullptr;
  auto target = ParseForeground(*value);
  if (!target || target->pid == getpid()) return nullptr;
  if (target->token == 0) {
    const auto answer = Ask(target->pid, Request{});
    if (!answer || answer->status != Status::Ok) return nullptr;
    target->token = answer->token;
  }
  const HWND proxy = ProxyFor(target->pid, target->handle, target->token);
  return IsWindow(proxy) ? proxy : nullptr;
}

void FirstWindow() {
  NoteWindowThread();
  // The face wakes when the listener posts; it must outlive the listener.
  ui::CurrentFace();
  if (StartWindowListener()) StopAtExitFromNow();
}

[[maybe_unused]] const bool registered = [] {
  ui::SetForeignFinder(FindInOtherProcesses);
  ui::SetForegroundProvider(HandedForeground);
  ui::SetFirstWindowHook(FirstWindow);
  return true;
}();

}  // namespace

std::optional<ForegroundTarget> ParseForeground(const std::string& value) {
  const std::string_view text(value);
  const size_t first = text.find(':');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t second = text.find(':', first + 1);
  ForegroundTarget target;
  const std::string_view handle = text.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
  if (!ParseNumber(text.substr(0, first), &target.pid, 10) || target.pid <= 0) return std::nullopt;
  if (!ParseNumber(Hex(handle), &target.handle, 16) || target.handle == 0) return std::nullopt;
  if (second != std::string_view::npos && !ParseNumber(Hex(text.substr(second + 1)), &target.token, 16)) {
    return std::nullopt;
  }
  return target;
}

std::string FormatForeground(const ForegroundTarget& target) {
  char handle[32];
  char token[32];
  *std::to_chars(handle, handle + sizeof handle - 1, target.handle, 16).ptr = 0;
  *std::to_chars(token, token + sizeof token - 1, target.token, 16).ptr = 0;
  return std::to_string(target.pid) + ":0x" + handle + ":" + token;
}

}  // namespace tq::ipc
