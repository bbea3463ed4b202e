// The headless face: no windows shown. Without a script every message box
// takes its default button, every dialog is cancelled and file dialogs are
// cancelled; with a script each wait for input takes the script's next
// action, and anything the script did not expect fails the run.
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "script.h"
#include "win/face.h"
#include "win/text.h"
#include "win/transcript.h"
#include "win/user_input.h"

namespace tq::ui {
namespace {

using script::Action;
using script::Verb;

std::string Quoted(const std::u16string& text) { return QuoteText(text); }

std::u16string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got));
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

class HeadlessFace final : public Face {
 public:
  HeadlessFace(std::vector<Action> actions, bool scripted) : actions_(std::move(actions)), scripted_(scripted) {}

  void ModalStarting(const char* kind, int id, HWND) override {
    if (!scripted_ || next_ >= actions_.size()) return;
    const std::string what = kind;
    const Action& action = actions_[next_];
    const bool answers = action.verb == Verb::Box || action.verb == Verb::File || action.verb == Verb::FileCancel;
    if ((what == "dialog" || what == "sheet") && answers) {
      Fail(action, (what == "dialog" ? "dialog " + std::to_string(id) : std::string("a property sheet")) +
                       " opened where the script expected " + (action.verb == Verb::Box ? "a message box" : "a file dialog"));
    }
  }

  void WaitForInput(const ModalWait& wait) override {
    if (!scripted_) return Cancel(wait);
    const HWND modal = wait.dialog != nullptr ? wait.dialog : GetActiveWindow();
    if (waiting_ != nullptr) return WaitForCommand(wait);
    if (next_ >= actions_.size()) {
      // Timers may still end the dialog by themselves; otherwise nobody will.
      if (wait.deadline != Clock::time_point::max()) {
        WaitForQueue(wait.deadline);
        return;
      }
      FailRun("script " + path_ + ": the script ended while " + Describe(modal) + " waits for input");
    }
    const Action& action = actions_[next_++];
    Run(action, modal, wait);
  }

  void Wake() override {}

  int MessageBox(const MessageBoxCall& call) override {
    if (!scripted_) return call.defaultAnswer;
    const std::string box = "message box " + Quoted(call.caption) + " " + Quoted(call.text);
    if (next_ >= actions_.size()) FailRun("script " + path_ + ": the script ended before the " + box);
    const Action& action = actions_[next_++];
    if (action.verb != Verb::Box) Fail(action, "a " + box + " opened instead");
    if (!action.texts.empty() && action.texts[0] != call.text) {
      Fail(action, "the message box says " + Quoted(call.text) + ", expected " + Quoted(action.texts[0]));
    }
    const bool allowed =
        (action.key == IDOK && call.buttons != BoxButtons::YesNo && call.buttons != BoxButtons::YesNoCancel) ||
        (action.key == IDCANCEL && (call.buttons == BoxButtons::OkCancel || call.buttons == BoxButtons::YesNoCancel)) ||
        ((action.key == IDYES || action.key == IDNO) &&
         (call.buttons == BoxButtons::YesNo || call.buttons == BoxButtons::YesNoCancel));
    if (!allowed) Fail(action, "the " + box + " has no such button");
    return action.key;
  }

  FileDialogAnswer FileDialog(const FileDialogCall& call) override {
    if (!scripted_) return {};
    const std::string what = std::string(call.save ? "save" : "open") + " file dialog " + Quoted(call.title);
    if (next_ >= actions_.size()) FailRun("script " + path_ + ": the script ended before the " + what);
    const Action& action = actions_[next_++];
    if (action.verb == Verb::FileCancel) return {};
    if (action.verb != Verb::File) Fail(action, "a " + what + " opened instead");
    return {true, action.texts[0]};
  }

  void Beep(UINT) override {}
  void Help(HWND, const std::u16string&, UINT, ULONG_PTR) override {}

  void SetPath(std::string path) { path_ = std::move(path); }

 private:
  std::vector<Action> actions_;
  bool scripted_;
  size_t next_ = 0;
  std::string path_;
  const Action* waiting_ = nullptr;
  Clock::time_point waitUntil_;
  std::map<int, int> consumed_;  // posted commands already waited for, by identifier

  [[noreturn]] void Fail(const Action& action, const std::string& why) {
    FailRun("script " + path_ + " line " + std::to_string(action.line) + " (" + action.source + "): " + why);
  }

  // Unscripted: the dialog is cancelled as Escape would; one that does not
  // close on its Cancel command is ended with IDCANCEL all the same.
  static void Cancel(const ModalWait& wait) {
    if (wait.dialog == nullptr) {
      PostQuitMessage(0);
      return;
    }
    const bool sheet = TemplateId(wait.dialog) == 0;
    PressKey(wait.dialog, VK_ESCAPE, nullptr);
    if (IsWindow(wait.dialog) && IsWindowVisible(wait.dialog)) EndDialog(wait.dialog, sheet ? 0 : IDCANCEL);
  }

  void WaitForCommand(const ModalWait& wait) {
    const int id = waiting_->id;
    if (HandledPostedCommands(id) > consumed_[id]) {
      ++consumed_[id];
      waiting_ = nullptr;
      return;
    }
    if (Clock::now() >= waitUntil_) {
      Fail(*waiting_, "no WM_COMMAND " + std::to_string(id) + " was posted in time");
    }
    WaitForQueue(std::min(waitUntil_, wait.deadline));
  }

  HWND Control(const Action& action, HWND modal) {
    HWND control = FindControlForInput(modal, action.id);
    if (control == nullptr) Fail(action, Describe(modal) + " has no control " + std::to_string(action.id));
    return control;
  }

  void Require(const Action& action, bool done, const std::string& why) {
    if (!done) Fail(action, why);
  }

  void Run(const Action& action, HWND modal, const ModalWait& wait) {
    std::string why;
    switch (action.verb) {
      case Verb::Dialog: {
        const int shown = TemplateId(modal);
        const int page = TemplateId(ShownSheetPage(modal));
        if (modal == nullptr || (shown != action.id && page != action.id)) {
          Fail(action, "the active window is " + Describe(modal));
        }
        return;
      }
      case Verb::Page: return Require(action, ShowSheetPage(modal, action.id, &why), why);
      case Verb::Type: return Require(action, TypeText(Control(action, modal), action.texts[0], &why), why);
      case Verb::SetText: return Require(action, PasteText(Control(action, modal), action.texts[0], &why), why);
      case Verb::Click: return Require(action, ClickButton(Control(action, modal), &why), why);
      case Verb::Select: return Require(action, SelectItems(Control(action, modal), action.numbers, &why), why);
      case Verb::SelectText: {
        const HWND list = Control(action, modal);
        const std::vector<std::u16string> lines = ItemTexts(list);
        std::vector<int> items;
        for (const std::u16string& wanted : action.texts) {
          auto at = std::find(lines.begin(), lines.end(), wanted);
          if (at == lines.end()) Fail(action, "no item reads " + Quoted(wanted) + "; the items are " + ListText(lines));
          items.push_back(static_cast<int>(at - lines.begin()));
        }
        return Require(action, SelectItems(list, items, &why), why);
      }
      case Verb::DblClick: return Require(action, DoubleClickItem(Control(action, modal), action.numbers[0], &why), why);
      case Verb::Key: {
        HWND control = action.id == 0 ? modal : Control(action, modal);
        return Require(action, PressKey(control, action.key, &why), why);
      }
      case Verb::Hold: HoldModifiers(action.shift, action.control); return;
      case Verb::Release: HoldModifiers(false, false); return;
      case Verb::WaitCommand: {
        const int seconds = action.numbers.empty() ? 30 : action.numbers[0];
        waiting_ = &action;
        waitUntil_ = Clock::now() + std::chrono::seconds(seconds);
        return WaitForCommand(wait);
      }
      case Verb::Box: Fail(action, "no message box is open; " + Describe(modal) + " waits for input");
      case Verb::File:
      case Verb::FileCancel: Fail(action, "no file dialog is open; " + Describe(modal) + " waits for input");
      case Verb::ExpectText: {
        const std::u16string text = TextOf(Control(action, modal));
        if (text != action.texts[0]) Fail(action, "expected " + Quoted(action.texts[0]) + ", found " + Quoted(text));
        return;
      }
      case Verb::ExpectLines: {
        const HWND control = Control(action, modal);
        std::vector<std::u16string> lines = ItemTexts(control);
        char16_t className[16] = {};
        GetClassNameW(control, className, 16);
        if (std::u16string(className) == WC_EDITW) {
          lines.clear();
          std::u16string text = TextOf(control);
          for (size_t start = 0;;) {
            const size_t end = text.find(u"\r\n", start);
            lines.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
            if (end == std::u16string::npos) break;
            start = end + 2;
          }
          if (lines.size() == 1 && lines[0].empty()) lines.clear();
        }
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
        return Require(action, SendMessageW(Control(action, modal), BM_GETCHECK, 0, 0) == BST_CHECKED, "the control is not checked");
      case Verb::ExpectUnchecked:
        return Require(action, SendMessageW(Control(action, modal), BM_GETCHECK, 0, 0) != BST_CHECKED, "the control is checked");
      case Verb::ExpectCaption: {
        const std::u16string caption = TextOf(modal);
        if (caption != action.texts[0]) Fail(action, "expected caption " + Quoted(action.texts[0]) + ", found " + Quoted(caption));
        return;
      }
      case Verb::Shot: return;  // pictures need the Qt face
    }
  }
};

}  // namespace
}  // namespace tq::ui

// The face library's entry: a script that cannot be read or parsed stops
// the run here, before the program has done anything with it.
extern "C" __attribute__((visibility("default"))) tq::ui::Face* TelequillCreateFace(const tq::ui::FaceOptions* options) {
  using namespace tq::ui;
  if (options == nullptr || options->scriptPath.empty()) return new HeadlessFace({}, false);
  std::ifstream file(options->scriptPath, std::ios::binary);
  if (!file) FailRun("script " + options->scriptPath + ": cannot be read");
  std::ostringstream text;
  text << file.rdbuf();
  script::ParseResult parsed = script::Parse(text.str());
  if (!parsed.error.empty()) FailRun("script " + options->scriptPath + " " + parsed.error);
  auto* face = new HeadlessFace(std::move(parsed.actions), true);
  face->SetPath(options->scriptPath);
  return face;
}
