// The headless face: no windows shown. Without a script every message box
// takes its default button, every dialog waiting for a person is cancelled
// (one with a timer running ends by itself) and file dialogs are cancelled; with a script the shared interpreter takes the script's next
// action at each wait for input, calling the layer's input directly.
#include "ui/script_runner.h"
#include "win/export.h"
#include "win/face.h"
#include "win/user_input.h"

namespace tq::ui {
namespace {

class HeadlessFace final : public Face {
 public:
  void Load(const std::string& scriptPath) { runner_ = script::Runner::Load(scriptPath, driver_); }

  void ModalStarting(const char* kind, int id, HWND) override {
    if (runner_) runner_->ModalStarting(kind, id);
  }

  void WaitForInput(const ModalWait& wait) override {
    if (runner_) return runner_->WaitForInput(wait);
    Cancel(wait);
  }

  void Wake() override {}

  int MessageBox(const MessageBoxCall& call) override {
    return runner_ ? runner_->MessageBox(call) : call.defaultAnswer;
  }

  FileDialogAnswer FileDialog(const FileDialogCall& call) override {
    return runner_ ? runner_->FileDialog(call) : FileDialogAnswer{};
  }

  void Beep(UINT) override {}
  void Help(HWND, const std::u16string&, UINT, ULONG_PTR) override {}

 private:
  script::InputDriver driver_;  // the layer's own input calls
  std::unique_ptr<script::Runner> runner_;

  // Unscripted: a dialog that a timer may still end (a waiting window) is
  // left to end by itself; any other is cancelled as Escape would, and one
  // that does not close on its Cancel command is ended all the same (a
  // sheet with 0).
  static void Cancel(const ModalWait& wait) {
    if (wait.deadline != Clock::time_point::max()) {
      WaitForQueue(wait.deadline);
      return;
    }
    if (wait.dialog == nullptr) {
      PostQuitMessage(0);
      return;
    }
    const bool sheet = TemplateId(wait.dialog) == 0;
    PressKey(wait.dialog, VK_ESCAPE, nullptr);
    if (IsWindow(wait.dialog) && IsWindowVisible(wait.dialog)) EndDialog(wait.dialog, sheet ? 0 : IDCANCEL);
  }
};

}  // namespace
}  // namespace tq::ui

// The face library's entry: a script that cannot be read or parsed stops
// the run here, before the program has done anything with it.
TQ_EXPORT tq::ui::Face* TelequillCreateFace(
    const tq::ui::FaceOptions* options) {
  auto* face = new tq::ui::HeadlessFace();
  if (options != nullptr && !options->scriptPath.empty()) face->Load(options->scriptPath);
  return face;
}
