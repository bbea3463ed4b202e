// The operations other processes may ask for. Only this process's own
// windows answer (never the proxies it holds for others, which would let
// one question travel on from process to process), and only the messages
// that carry no pointer cross: WM_COMMAND posted, WM_CLOSE sent.
#include "answers.h"

#include "started_programs.h"
#include "win/foreign_window.h"
#include "win/user.h"

namespace tq::ipc {
namespace {

inline constexpr std::uint32_t kLastShowCommand = 11;  // SW_FORCEMINIMIZE

bool OwnWindow(HWND window) {
  return window != nullptr && !ui::IsForeignWindow(window) && IsWindow(window);
}

Answer FindTopLevel(const std::u16string& title, Answer answer) {
  for (const ui::TopLevelWindow& window : ui::TopLevelWindows()) {
    if (window.title == title) {
      answer.value = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(window.handle));
      return answer;
    }
  }
  answer.status = Status::NoWindow;
  return answer;
}

std::u16string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// The window a person works in: the innermost modal one, else the first
// visible top-level window.
Answer RaiseActive(Answer answer) {
  HWND window = ui::ActiveModalDialog();
  if (!OwnWindow(window)) {
    window = nullptr;
    for (const ui::TopLevelWindow& top : ui::TopLevelWindows()) {
      if (top.visible) {
        window = top.handle;
        break;
      }
    }
  }
  if (window == nullptr) {
    answer.status = Status::NoWindow;
    return answer;
  }
  answer.value = SetForegroundWindow(window);
  return answer;
}

}  // namespace

Answer Respond(const Request& request, std::uint64_t token, pid_t asker) {
  Answer answer;
  answer.token = token;
  if (request.token != 0 && request.token != token) {
    answer.status = Status::WrongProcess;
    return answer;
  }
  if (request.operation == Operation::Hello) return answer;
  if (request.operation == Operation::Find) return FindTopLevel(request.text, answer);
  if (request.operation == Operation::RaiseActive) {
    if (request.token != token) {
      answer.status = Status::WrongProcess;
      return answer;
    }
    return RaiseActive(answer);
  }

  // Every other question is about one window, of this very process.
  if (request.token != token) {
    answer.status = Status::WrongProcess;
    return answer;
  }
  const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.window));
  if (!OwnWindow(window)) {
    answer.status = Status::NoWindow;
    return answer;
  }
  const auto wParam = static_cast<WPARAM>(request.wParam);
  const auto lParam = static_cast<LPARAM>(request.lParam);
  switch (request.operation) {
    case Operation::Alive:
      answer.value = 1;
      break;
    case Operation::HasControl:
      answer.value = GetDlgItem(window, static_cast<int>(request.argument)) != nullptr ? 1 : 0;
      break;
    case Operation::Text:
      answer.text = TextOf(window);
      break;
    case Operation::Visible:
      answer.value = IsWindowVisible(window);
      break;
    case Operation::Enabled:
      answer.value = IsWindowEnabled(window);
      break;
    case Operation::Enable:
      answer.value = EnableWindow(window, request.argument != 0 ? TRUE : FALSE);
      if (asker != 0) NoteEnabledBy(asker, window, request.argument != 0, answer.value != 0);
      break;
    case Operation::Show:
      if (request.argument > kLastShowCommand) {
        answer.status = Status::Refused;
        break;
      }
      answer.value = ShowWindow(window, static_cast<int>(request.argument));
      break;
    case Operation::SetForeground:
      answer.value = SetForegroundWindow(window);
      break;
    case Operation::Post:
      if (request.argument != WM_COMMAND) {
        answer.status = Status::Refused;
        break;
      }
      // Into the windows' queue: the receiving dialog's own modal loop
      // delivers it, as a posted message from another thread.
      answer.value = PostMessageW(window, WM_COMMAND, wParam, lParam);
      break;
    case Operation::Send:
      if (request.argument != WM_CLOSE) {
        answer.status = Status::Refused;
        break;
      }
      answer.value = SendMessageW(window, WM_CLOSE, 0, 0);
      break;
    default:
      answer.status = Status::Refused;
      break;
  }
  return answer;
}

}  // namespace tq::ipc
