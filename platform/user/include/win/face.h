// The faces of the user interface layer: what shows the windows and turns a
// person's (or a script's) input into layer calls.
//
// The layer owns every window's state and runs the modal loops. A face is
// told when windows appear, change and go, answers the modal calls that
// need a person (message boxes, file dialogs), and takes input when a modal
// loop has nothing left to deliver. Input reaches the layer through the
// calls of win/user_input.h, the same for a script and for a person.
//
// The face is chosen once per process, before the first window: by
// tq::ui::UseFace(name) (qlhost --ui), else from TELEQUILL_UI
// (qt | headless | script:PATH; with qt, TELEQUILL_SCRIPT=PATH also runs a
// script), else qt when a display is there and headless otherwise. A run
// under TELEQUILL_UI=script:PATH reads its script when tq_user is loaded,
// so a script that cannot be parsed stops it before anything happens. A face
// library is loaded from beside tq_user (tq_ui_headless.so, tq_ui_qt.so) and
// exports `extern "C" tq::ui::Face* TelequillCreateFace(const tq::ui::FaceOptions*)`.
#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "win/user.h"

namespace tq::ui {

using Clock = std::chrono::steady_clock;

struct FaceOptions {
  std::string name;        // "headless" or "qt"
  std::string scriptPath;  // empty: no script
};

enum class BoxIcon { None, Error, Warning, Question, Information };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };

struct MessageBoxCall {
  HWND owner = nullptr;
  std::u16string text;
  std::u16string caption;
  UINT type = 0;  // the MB_* flags as given
  BoxIcon icon = BoxIcon::None;
  BoxButtons buttons = BoxButtons::Ok;
  int defaultAnswer = IDOK;  // from MB_DEFBUTTONn
};

struct FileDialogCall {
  bool save = false;
  HWND owner = nullptr;
  std::u16string title;  // empty: "Ouvrir" or "Enregistrer sous"
  std::vector<std::pair<std::u16string, std::u16string>> filters;  // description, patterns
  int filterIndex = 0;  // 0-based into filters
  std::u16string initialDir;
  std::u16string fileName;  // the initial name
  std::u16string defaultExt;
  DWORD flags = 0;
};

struct FileDialogAnswer {
  bool chosen = false;
  std::u16string path;
};

// What changed in a window, for a face that mirrors state.
enum class Change {
  Text,       // caption or control text
  Enabled,
  Visible,
  Focus,
  Check,      // button check state
  Items,      // list or combo box items
  Selection,  // list selection, edit selection
  Style,      // read-only, default button, ...
  Geometry,
  Page,       // the page shown in a property sheet
  Foreground,  // a top-level window brought forward (SetForegroundWindow)
};

// What a modal loop is waiting for.
struct ModalWait {
  HWND dialog = nullptr;       // the active modal window (dialog, sheet)
  Clock::time_point deadline;  // the next due timer, or Clock::time_point::max()
};

class Face {
 public:
  virtual ~Face() = default;

  // The top of every modal call, before it shows anything: `kind` is
  // "dialog" (template `id`), "sheet", "box" or "file". A face that cannot
  // take it (a script that expected something else) fails the run here.
  virtual void ModalStarting(const char* kind, int id, HWND window) = 0;

  // A modal loop has delivered every queued message and due timer. The face
  // takes at most one input step through win/user_input.h, or waits until
  // input comes, the deadline passes, or Wake() is called; then returns.
  virtual void WaitForInput(const ModalWait& wait) = 0;

  // Called from any thread after a message was posted: the face's wait in
  // WaitForInput must return soon.
  virtual void Wake() = 0;

  // Returns IDOK, IDCANCEL, IDYES or IDNO, one the box's buttons allow.
  virtual int MessageBox(const MessageBoxCall& call) = 0;
  virtual FileDialogAnswer FileDialog(const FileDialogCall& call) = 0;
  virtual void Beep(UINT type) = 0;
  virtual void Help(HWND window, const std::u16string& file, UINT command, ULONG_PTR data) = 0;

  // State notifications for a face that shows windows (the headless face
  // ignores them). Called on the windows' thread, after the change.
  // WindowCreated comes once for a dialog or sheet, when its controls
  // exist (a face walks them with GetWindow / EnumChildWindows), and once
  // for each property page when it is first shown.
  virtual void WindowCreated(HWND window) { (void)window; }
  virtual void WindowChanged(HWND window, Change what) { (void)window, (void)what; }
  virtual void WindowDestroyed(HWND window) { (void)window; }
};

// Chooses the face by name ("qt", "headless", "script:PATH") before the
// first window. False (with a message on standard error naming --ui and
// TELEQUILL_UI) when that face cannot be had; the choice is then unchanged.
bool UseFace(const std::string& name);

// For a program whose dialogs need someone to answer them (qlhost print):
// when no face was named (--ui, TELEQUILL_UI) and there is no display, the
// first window or message box stops the run with exit status 2 and a
// message saying that no window can be shown, naming --ui and
// TELEQUILL_UI, instead of the headless face cancelling it unseen.
void RequireShownWindows();

// Installs a face object directly (tests, embedding). The layer does not own
// it; pass null to go back to choosing by name.
void SetFace(Face* face);

// The face in use, choosing it now if none was. Never null: when the face
// asked for cannot be loaded the process stops with exit status 2 and a
// message naming --ui and TELEQUILL_UI.
Face& CurrentFace();

// Blocks until a message is posted to this thread's queue, a timer falls
// due, the deadline passes or Wake-up is asked; a face without an event
// loop of its own waits here. True when something is queued.
bool WaitForQueue(Clock::time_point deadline);

// Delivers every queued message, marshalled call and due timer of the
// windows' thread; a face with its own event loop calls it when woken.
// True when something was delivered.
bool DeliverQueued();

// Stops the run: writes `reason` to standard error and to the transcript
// (as a line `fail "REASON"`), then exits with status 3.
[[noreturn]] void FailRun(const std::string& reason);

}  // namespace tq::ui
