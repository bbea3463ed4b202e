// The script interpreter behind both faces: each wait for input takes the
// script's next action, and anything the script did not expect fails the
// run with the line and the difference.
#include "ui/script_runner.h"

#include <algorithm>
#include <map>
#include <optional>

#include "script.h"
#include "win/file_read.h"
#include "win/file_replace.h"
#include "win/text.h"
#include "win/transcript.h"

namespace tq::ui::script {
namespace {

std::string Quoted(const std::u16string& text) { return QuoteText(std::u16string_view(text)); }

std::u16string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

std::string ListText(const std::vector<std::u16string>& lines) {
  std::string out = "[";
  for (size_t i = 0; i < lines.size(); ++i) out += (i ? ", " : "") + Quoted(lines[i]);
  return out + "]";
}

std::string NumbersText(const std::vector<int>& numbers) {
  std::string out = "[";
  for (size_t i = 0; i < numbers.size(); ++i) out += (i ? ", " : "") + std::to_string(numbers[i]);
  return out + "]";
}

std::string Describe(HWND modal) {
  if (modal == nullptr) return "no dialog";
  const int id = TemplateId(modal);
  return (id != 0 ? "dialog " + std::to_string(id) : std::string("the property sheet")) + " " + Quoted(TextOf(modal));
}

// An edit's lines, split at its CR LF pairs; an empty edit has none.
std::vector<std::u16string> EditLines(HWND edit) {
  std::vector<std::u16string> lines;
  const std::u16string text = TextOf(edit);
  for (size_t start = 0;;) {
    const size_t end = text.find(u"\r\n", start);
    lines.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
    if (end == std::u16string::npos) break;
    start = end + 2;
  }
  if (lines.size() == 1 && lines[0].empty()) lines.clear();
  return lines;
}

bool ButtonsAllow(BoxButtons buttons, int answer) {
  switch (answer) {
    case IDOK: return buttons == BoxButtons::Ok || buttons == BoxButtons::OkCancel;
    case IDCANCEL: return buttons == BoxButtons::OkCancel || buttons == BoxButtons::YesNoCancel;
    case IDYES:
    case IDNO: return buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoCancel;
    default: return false;
  }
}

}  // namespace

struct Runner::State {
  std::vector<Action> actions;
  std::string path;
  InputDriver* driver = nullptr;
  size_t next = 0;
  // The dialog or sheet that is initialising: from its modal call to its
  // first wait for input. A box it raises meanwhile takes the actions from
  // `at` on; an answer there that no box took was not for it.
  struct Opening {
    size_t at = 0;     // the next action when it started
    std::string what;  // "dialog 101", "a property sheet"
  };
  std::optional<Opening> opening;
  const Action* waiting = nullptr;
  Clock::time_point waitUntil;
  std::map<int, int> consumed;  // posted commands already waited for, by identifier

  [[noreturn]] void Fail(const Action& action, const std::string& why) const {
    FailRun("script " + path + " line " + std::to_string(action.line) + " (" + action.source + "): " + why);
  }

  void Require(const Action& action, bool done, const std::string& why) const {
    if (!done) Fail(action, why);
  }

  HWND Control(const Action& action, HWND modal) const {
    HWND control = FindControlForInput(modal, action.id);
    if (control == nullptr) Fail(action, Describe(modal) + " has no control " + std::to_string(action.id));
    return control;
  }

  void WaitForCommand(const ModalWait& wait) {
    const int id = waiting->id;
    if (HandledPostedCommands(id) > consumed[id]) {
      ++consumed[id];
      waiting = nullptr;
      return;
    }
    if (Clock::now() >= waitUntil) Fail(*waiting, "no WM_COMMAND " + std::to_string(id) + " was posted in time");
    WaitForQueue(std::min(waitUntil, wait.deadline));
  }

  void Run(const Action& action, HWND modal, const ModalWait& wait);
  void Expect(const Action& action, HWND modal);
};

void Runner::State::Run(const Action& action, HWND modal, const ModalWait& wait) {
  std::string why;
  InputDriver& input = *driver;
  switch (action.verb) {
    case Verb::Dialog: {
      const int page = TemplateId(ShownSheetPage(modal));
      if (modal == nullptr || (TemplateId(modal) != action.id && page != action.id)) {
        Fail(action, "the active window is " + Describe(modal));
      }
      return;
    }
    case Verb::Page: {
      if (action.numbers.empty()) return Require(action, input.Page(modal, action.id, &why), why);
      // The n-th page made from the template: a sheet may show one twice.
      int seen = 0;
      const std::vector<SheetPageTab> tabs = SheetPageTabs(modal);
      for (size_t i = 0; i < tabs.size(); ++i) {
        if (tabs[i].templateId == action.id && ++seen == action.numbers[0]) {
          return Require(action, input.PageAt(modal, static_cast<int>(i), &why), why);
        }
      }
      Fail(action, "the sheet has " + std::to_string(seen) + " pages made from template " + std::to_string(action.id));
    }
    case Verb::Alt: return Require(action, input.Mnemonic(modal, action.texts[0][0], &why), why);
    case Verb::Type: return Require(action, input.Type(Control(action, modal), action.texts[0], &why), why);
    case Verb::SetText: return Require(action, input.Paste(Control(action, modal), action.texts[0], &why), why);
    case Verb::Click: return Require(action, input.Click(Control(action, modal), &why), why);
    case Verb::Select: return Require(action, input.Select(Control(action, modal), action.numbers, &why), why);
    case Verb::SelectText: {
      const HWND list = Control(action, modal);
      const std::vector<std::u16string> lines = ItemTexts(list);
      std::vector<int> items;
      for (const std::u16string& wanted : action.texts) {
        auto at = std::find(lines.begin(), lines.end(), wanted);
        if (at == lines.end()) Fail(action, "no item reads " + Quoted(wanted) + "; the items are " + ListText(lines));
        items.push_back(static_cast<int>(at - lines.begin()));
      }
      return Require(action, input.Select(list, items, &why), why);
    }
    case Verb::DblClick:
      return Require(action, input.DoubleClick(Control(action, modal), action.numbers[0], &why), why);
    case Verb::Key: {
      const HWND control = action.id == 0 ? modal : Control(action, modal);
      return Require(action, input.Key(control, action.key, &why), why);
    }
    case Verb::Hold: input.Hold(action.shift, action.control); return;
    case Verb::Release: input.Hold(false, false); return;
    case Verb::WaitCommand: {
      const int seconds = action.numbers.empty() ? 30 : action.numbers[0];
      waiting = &action;
      waitUntil = Clock::now() + std::chrono::seconds(seconds);
      return WaitForCommand(wait);
    }
    case Verb::Box: Fail(action, "no message box is open; " + Describe(modal) + " waits for input");
    case Verb::File:
    case Verb::FileCancel: Fail(action, "no file dialog is open; " + Describe(modal) + " waits for input");
    case Verb::Shot: return Require(action, input.Shot(modal, action.texts[0], &why), why);
    default: return Expect(action, modal);
  }
}

void Runner::State::Expect(const Action& action, HWND modal) {
  switch (action.verb) {
    case Verb::ExpectText: {
      const std::u16string text = TextOf(Control(action, modal));
      if (text != action.texts[0]) Fail(action, "expected " + Quoted(action.texts[0]) + ", found " + Quoted(text));
      return;
    }
    case Verb::ExpectLines: {
      const HWND control = Control(action, modal);
      char16_t className[16] = {};
      GetClassNameW(control, className, 16);
      const std::vector<std::u16string> lines =
          std::u16string(className) == WC_EDITW ? EditLines(control) : ItemTexts(control);
      if (lines != action.texts) Fail(action, "expected " + ListText(action.texts) + ", found " + ListText(lines));
      return;
    }
    case Verb::ExpectSelected: {
      const std::vector<int> selected = SelectedItems(Control(action, modal));
      if (selected != action.numbers) {
        Fail(action, "expected " + NumbersText(action.numbers) + " selected, found " + NumbersText(selected));
      }
      return;
    }
    case Verb::ExpectEnabled: return Require(action, IsWindowEnabled(Control(action, modal)), "the control is disabled");
    case Verb::ExpectDisabled: return Require(action, !IsWindowEnabled(Control(action, modal)), "the control is enabled");
    case Verb::ExpectVisible: return Require(action, IsWindowVisible(Control(action, modal)), "the control is hidden");
    case Verb::ExpectHidden: return Require(action, !IsWindowVisible(Control(action, modal)), "the control is visible");
    case Verb::ExpectChecked:
      return Require(action, SendMessageW(Control(action, modal), BM_GETCHECK, 0, 0) == BST_CHECKED,
                     "the control is not checked");
    case Verb::ExpectUnchecked:
      return Require(action, SendMessageW(Control(action, modal), BM_GETCHECK, 0, 0) != BST_CHECKED,
                     "the control is checked");
    case Verb::ExpectFocus: {
      const HWND focus = GetFocus();
      if (focus != Control(action, modal)) {
        Fail(action, "the focus is on " + (focus == nullptr ? std::string("no control") : "control " + std::to_string(GetDlgCtrlID(focus))));
      }
      return;
    }
    case Verb::ExpectCaption: {
      const std::u16string caption = TextOf(modal);
      if (caption != action.texts[0]) {
        Fail(action, "expected caption " + Quoted(action.texts[0]) + ", found " + Quoted(caption));
      }
      return;
    }
    default: return;
  }
}

Runner::Runner(std::unique_ptr<State> state) : state_(std::move(state)) {}
Runner::~Runner() = default;

// Scripts are a few hundred lines.
constexpr std::size_t kMaxScriptBytes = 4 << 20;

std::unique_ptr<Runner> Runner::Load(const std::string& path, InputDriver& driver) {
  std::string text;
  // /dev/null stands for a script with no actions; any other device or FIFO
  // is refused unread.
  DWORD error = path == "/dev/null" ? ERROR_SUCCESS : ReadRegularFile(path, kMaxScriptBytes, text);
  if (error != ERROR_SUCCESS) {
    FailRun("script " + path + ": cannot be read (" + DescribeFileError(error) + ")");
  }
  ParseResult parsed = Parse(text);
  if (!parsed.error.empty()) FailRun("script " + path + " " + parsed.error);
  auto state = std::make_unique<State>();
  state->actions = std::move(parsed.actions);
  state->path = path;
  state->driver = &driver;
  // Commands handled before this script started are not the ones it waits for.
  for (const Action& action : state->actions) {
    if (action.verb == Verb::WaitCommand) state->consumed[action.id] = HandledPostedCommands(action.id);
  }
  return std::unique_ptr<Runner>(new Runner(std::move(state)));
}

void Runner::ModalStarting(const char* kind, int id) {
  State& s = *state_;
  if (s.next >= s.actions.size()) return;
  const std::string what = kind;
  // A box raised while the dialog initialises comes before the dialog is
  // shown (and before its "open" line in the transcript), so the script
  // answers it first; whether it came is checked when the dialog waits.
  if (what == "dialog" || what == "sheet") {
    s.opening = State::Opening{s.next, what == "dialog" ? "dialog " + std::to_string(id) : "a property sheet"};
  }
}

void Runner::WaitForInput(const ModalWait& wait) {
  State& s = *state_;
  const HWND modal = wait.dialog != nullptr ? wait.dialog : GetActiveWindow();
  if (s.opening) {
    const State::Opening opening = *s.opening;
    s.opening.reset();
    const Action* action = s.next == opening.at && s.next < s.actions.size() ? &s.actions[s.next] : nullptr;
    if (action != nullptr &&
        (action->verb == Verb::Box || action->verb == Verb::File || action->verb == Verb::FileCancel)) {
      s.Fail(*action, opening.what + " opened where the script expected " +
                          (action->verb == Verb::Box ? "a message box" : "a file dialog"));
    }
  }
  if (s.waiting != nullptr) return s.WaitForCommand(wait);
  if (s.next >= s.actions.size()) {
    // Timers may still end the dialog by themselves; otherwise nobody will.
    if (wait.deadline != Clock::time_point::max()) {
      WaitForQueue(wait.deadline);
      return;
    }
    FailRun("script " + s.path + ": the script ended while " + Describe(modal) + " waits for input");
  }
  const Action& action = s.actions[s.next++];
  s.Run(action, modal, wait);
}

int Runner::MessageBox(const MessageBoxCall& call) {
  State& s = *state_;
  const std::string box = "message box " + Quoted(call.caption) + " " + Quoted(call.text);
  // Pictures asked for while the box is up are pictures of the box.
  for (std::string why; s.next < s.actions.size() && s.actions[s.next].verb == Verb::Shot;) {
    const Action& shot = s.actions[s.next++];
    s.Require(shot, s.driver->ShotBox(call, shot.texts[0], &why), why);
  }
  if (s.next >= s.actions.size()) FailRun("script " + s.path + ": the script ended before the " + box);
  const Action& action = s.actions[s.next++];
  if (action.verb != Verb::Box) {
    std::string hint;
    if (s.opening && action.verb == Verb::Dialog) {
      hint = " (a box raised while " + s.opening->what + " opens is answered before its `dialog` line)";
    }
    s.Fail(action, "a " + box + " opened instead" + hint);
  }
  if (!action.texts.empty() && action.texts[0] != call.text) {
    s.Fail(action, "the message box says " + Quoted(call.text) + ", expected " + Quoted(action.texts[0]));
  }
  if (!ButtonsAllow(call.buttons, action.key)) s.Fail(action, "the " + box + " has no such button");
  return s.driver->AnswerBox(call, action.key);
}

FileDialogAnswer Runner::FileDialog(const FileDialogCall& call) {
  State& s = *state_;
  const std::string what = std::string(call.save ? "save" : "open") + " file dialog " + Quoted(call.title);
  if (s.next >= s.actions.size()) FailRun("script " + s.path + ": the script ended before the " + what);
  const Action& action = s.actions[s.next++];
  if (action.verb == Verb::FileCancel) return s.driver->AnswerFile(call, {});
  if (action.verb != Verb::File) s.Fail(action, "a " + what + " opened instead");
  return s.driver->AnswerFile(call, {true, action.texts[0]});
}

}  // namespace tq::ui::script
