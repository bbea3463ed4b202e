// A window of another process, reached through that process's listener.
// Every call is one question with a bounded wait; a peer that is gone, a
// window that no longer exists or an answer that does not come make the
// call fail as it would for a bad handle (ERROR_INVALID_WINDOW_HANDLE).
#include "remote_window.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "peers.h"
#include "win/foreign_window.h"
#include "win/user.h"

namespace tq::ipc {
namespace {

class RemoteWindow final : public ui::ForeignWindow {
 public:
  RemoteWindow(pid_t pid, std::uint64_t handle, std::uint64_t token) : pid_(pid), handle_(handle), token_(token) {}

  bool Alive() override { return Value(Operation::Alive).has_value(); }
  bool HasControl(int id) override { return Value(Operation::HasControl, static_cast<std::uint32_t>(id)).value_or(0) != 0; }
  std::u16string Text() override {
    const auto answer = Call(Operation::Text);
    return answer ? answer->text : std::u16string();
  }
  bool IsVisible() override { return Value(Operation::Visible).value_or(0) != 0; }
  bool IsEnabled() override { return Value(Operation::Enabled).value_or(0) != 0; }
  BOOL Enable(BOOL enable) override { return AsBool(Value(Operation::Enable, enable != 0 ? 1 : 0)); }
  BOOL Show(int command) override { return AsBool(Value(Operation::Show, static_cast<std::uint32_t>(command))); }
  BOOL SetForeground() override { return AsBool(Value(Operation::SetForeground)); }
  BOOL Post(UINT message, WPARAM wParam, LPARAM lParam) override {
    return AsBool(Value(Operation::Post, message, wParam, lParam));
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) override {
    return static_cast<LRESULT>(Value(Operation::Send, message, wParam, lParam).value_or(0));
  }

 private:
  std::optional<Answer> Call(Operation operation, std::uint32_t argument = 0, WPARAM wParam = 0, LPARAM lParam = 0) {
    Request request;
    request.token = token_;
    request.operation = operation;
    request.window = handle_;
    request.argument = argument;
    request.wParam = wParam;
    request.lParam = lParam;
    auto answer = Ask(pid_, request);
    if (!answer || answer->status != Status::Ok) {
      SetLastError(answer && answer->status == Status::Refused ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
      return std::nullopt;
    }
    return answer;
  }

  std::optional<std::int64_t> Value(Operation operation, std::uint32_t argument = 0, WPARAM wParam = 0, LPARAM lParam = 0) {
    const auto answer = Call(operation, argument, wParam, lParam);
    if (!answer) return std::nullopt;
    return answer->value;
  }

  static BOOL AsBool(std::optional<std::int64_t> value) { return value.value_or(0) != 0 ? TRUE : FALSE; }

  pid_t pid_;
  std::uint64_t handle_;
  std::uint64_t token_;
};

struct Proxies {
  std::mutex mutex;
  std::map<std::tuple<pid_t, std::uint64_t, std::uint64_t>, HWND> byTarget;
};

Proxies& TheProxies() {
  static Proxies* proxies = new Proxies;  // handles stay valid until exit
  return *proxies;
}

}  // namespace

HWND ProxyFor(pid_t pid, std::uint64_t handle, std::uint64_t token) {
  Proxies& proxies = TheProxies();
  std::lock_guard lock(proxies.mutex);
  const auto target = std::make_tuple(pid, handle, token);
  if (auto known = proxies.byTarget.find(target); known != proxies.byTarget.end()) return known->second;
  const HWND proxy = ui::RegisterForeignWindow(std::make_shared<RemoteWindow>(pid, handle, token));
  proxies.byTarget.emplace(target, proxy);
  return proxy;
}

}  // namespace tq::ipc
