// The automation script interpreter, shared by the faces: it parses a
// script whole, checks each modal call against the next action, runs one
// action each time a modal loop waits for input, and answers message boxes
// and file dialogs. How an input action reaches the windows is the face's
// choice (InputDriver): the headless face calls the layer directly, the Qt
// face sends events to its widgets; the checks read the layer's state.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win/face.h"
#include "win/user_input.h"

namespace tq::ui::script {

class InputDriver {
 public:
  virtual ~InputDriver() = default;
  virtual bool Type(HWND edit, const std::u16string& text, std::string* why) { return TypeText(edit, text, why); }
  virtual bool Paste(HWND edit, const std::u16string& text, std::string* why) { return PasteText(edit, text, why); }
  virtual bool Click(HWND button, std::string* why) { return ClickButton(button, why); }
  virtual bool Select(HWND list, const std::vector<int>& items, std::string* why) {
    return SelectItems(list, items, why);
  }
  virtual bool DoubleClick(HWND list, int item, std::string* why) { return DoubleClickItem(list, item, why); }
  virtual bool Key(HWND control, int virtualKey, std::string* why) { return PressKey(control, virtualKey, why); }
  virtual bool Page(HWND sheet, int templateId, std::string* why) { return ShowSheetPage(sheet, templateId, why); }
  virtual bool PageAt(HWND sheet, int index, std::string* why) { return ShowSheetPageAt(sheet, index, why); }
  // Alt+letter in the active modal window.
  virtual bool Mnemonic(HWND modal, char16_t letter, std::string* why) { return PressMnemonic(modal, letter, why); }
  virtual void Hold(bool shift, bool control) { HoldModifiers(shift, control); }
  // `shot PATH`: a picture of the active window; false with the reason
  // when this face cannot take one (the headless face takes none and says so
  // only when asked to fail: it returns true and saves nothing).
  virtual bool Shot(HWND modal, const std::u16string& path, std::string* why) {
    (void)modal, (void)path, (void)why;
    return true;
  }
  // `shot PATH` while a message box is up: a picture of the box.
  virtual bool ShotBox(const MessageBoxCall& call, const std::u16string& path, std::string* why) {
    (void)call, (void)path, (void)why;
    return true;
  }
  // The script's answer to a box or file dialog has been checked; a face
  // that shows them presses the button or picks the file here.
  virtual int AnswerBox(const MessageBoxCall& call, int answer) { (void)call; return answer; }
  virtual FileDialogAnswer AnswerFile(const FileDialogCall& call, const FileDialogAnswer& answer) {
    (void)call;
    return answer;
  }
};

class Runner {
 public:
  // Reads and parses the script; a script that cannot be read or parsed
  // stops the run (FailRun) before the program does anything with it.
  static std::unique_ptr<Runner> Load(const std::string& path, InputDriver& driver);
  ~Runner();

  void ModalStarting(const char* kind, int id);
  // Takes the next action, or waits for timers or a posted command.
  void WaitForInput(const ModalWait& wait);
  int MessageBox(const MessageBoxCall& call);
  FileDialogAnswer FileDialog(const FileDialogCall& call);

 private:
  struct State;
  explicit Runner(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace tq::ui::script
