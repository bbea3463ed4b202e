// The Qt face: the layer's windows as Qt widgets, a person's input turned
// into layer calls, Qt's message boxes and file dialogs, the desktop bell
// and the HTML help. With a script, each action is sent to the widgets as
// the input a person would give, and `shot PATH` saves a picture.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include <unistd.h>

#include "face_looks.h"
#include "help_window.h"
#include "modal_dialogs.h"
#include "ui/script_runner.h"
#include "win/environment.h"
#include "win/export.h"
#include "win/text.h"
#include "window_mirror.h"

namespace tq::ui::qt {
namespace {

bool starting = false;

// Qt's own chatter (platform plugin notes) stays off the programs' standard
// error unless QT_DEBUG_PLUGINS or QT_LOGGING_RULES ask for it; a display
// that cannot be opened ends the run with the message the faces give.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    if (starting) {
      const std::string display =
          EnvironmentValue(EnvironmentHas("WAYLAND_DISPLAY") ? "WAYLAND_DISPLAY" : "DISPLAY").value_or("");
      std::fprintf(stderr,
                   "telequill: the Qt face cannot open the display \"%s\"; choose another face with --ui or "
                   "TELEQUILL_UI (qt, headless or script:PATH)\n",
                   display.c_str());
    } else {
      std::fprintf(stderr, "telequill: %s\n", message.toLocal8Bit().constData());
    }
    std::fflush(nullptr);
    _exit(2);
  }
  if (type == QtCriticalMsg || EnvironmentHas("QT_DEBUG_PLUGINS") || EnvironmentHas("QT_LOGGING_RULES")) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

QApplication* TheApplication() {
  if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return existing;
  qInstallMessageHandler(QtMessages);
  // Kept for the life of the process: faces may come and go, Qt cannot.
  static int argc = 1;
  static char name[] = "telequill";
  static char* argv[] = {name, nullptr};
  starting = true;
  auto* application = new QApplication(argc, argv);
  starting = false;
  SpeakTheInterfaceLanguage();
  return application;
}

QString HelpFolder() {
  if (const auto root = EnvironmentValue("TELEQUILL_ROOT")) {
    return QDir(QString::fromLocal8Bit(root->c_str())).filePath(QStringLiteral("help"));
  }
  return QDir::home().filePath(QStringLiteral(".local/share/telequill/help"));
}

int QtKeyOf(int virtualKey) {
  switch (virtualKey) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_F1: return Qt::Key_F1;
    case VK_TAB: return Qt::Key_Tab;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_UP: return Qt::Key_Up;
    case VK_DOWN: return Qt::Key_Down;
    case VK_LEFT: return Qt::Key_Left;
    case VK_RIGHT: return Qt::Key_Right;
    default: return 0;
  }
}

class QtFace final : public Face, public script::InputDriver {
 public:
  explicit QtFace(const FaceOptions& options) {
    TheApplication();
    waker_ = new QObject();
    const bool scripted = !options.scriptPath.empty();
    mirror_ = std::make_unique<Mirror>([this](Step step) { Take(std::move(step)); }, scripted);
    if (scripted) runner_ = script::Runner::Load(options.scriptPath, *this);
  }

  ~QtFace() override {
    delete help_.data();
    mirror_.reset();
    delete waker_;
  }

  // ---- Face ------------------------------------------------------------------------

  void ModalStarting(const char* kind, int id, HWND) override {
    if (runner_) runner_->ModalStarting(kind, id);
    const std::string what = kind;
    if (what == "dialog" || what == "sheet") mirror_->ExpectModal();
  }

  void WaitForInput(const ModalWait& wait) override {
    mirror_->SyncAll();
    if (runner_) {
      Pump();
      runner_->WaitForInput(wait);
      mirror_->SyncAll();
      return;
    }
    if (pending_.empty()) {
      QEventLoop loop;
      loop_ = &loop;
      QTimer deadline;
      if (wait.deadline != Clock::time_point::max()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(wait.deadline - Clock::now()).count();
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        deadline.start(static_cast<int>(std::clamp<long long>(left, 0, 24 * 3600 * 1000)));
      }
      if (!woken_) loop.exec();
      loop_ = nullptr;
    }
    woken_ = false;
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    HoldModifiers((held & Qt::ShiftModifier) != 0, (held & Qt::ControlModifier) != 0);
    std::string why;
    RunPending(&why);
  }

  void Wake() override {
    QMetaObject::invokeMethod(
        waker_,
        [this] {
          woken_ = true;
          if (loop_ != nullptr) loop_->quit();
        },
        Qt::QueuedConnection);
  }

  int MessageBox(const MessageBoxCall& call) override {
    mirror_->SyncAll();
    if (runner_) return runner_->MessageBox(call);
    std::unique_ptr<QMessageBox> box = MakeMessageBox(call, OwnerWidget(call.owner));
    box->exec();
    return AnswerOf(*box, call);
  }

  FileDialogAnswer FileDialog(const FileDialogCall& call) override {
    mirror_->SyncAll();
    if (runner_) return runner_->FileDialog(call);
    std::unique_ptr<QFileDialog> dialog = MakeFileDialog(call, OwnerWidget(call.owner), false);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return {true, dialog->selectedFiles().front().toStdU16String()};
  }

  void Beep(UINT) override { QApplication::beep(); }

  void Help(HWND window, const std::u16string& file, UINT command, ULONG_PTR data) override {
    DWORD context = static_cast<DWORD>(data);
    if (command == HELP_WM_HELP || command == HELP_CONTEXTMENU) {
      context = ContextOfControl(GetDlgCtrlID(window), reinterpret_cast<const DWORD*>(data));
    }
    if (command == HELP_QUIT) {
      if (help_) help_->close();
      return;
    }
    const QUrl page = HelpPage(file, command, context, HelpFolder());
    if (page.isEmpty()) return;
    if (!QFileInfo::exists(page.toLocalFile())) {
      std::fprintf(stderr, "telequill: the help page %s is missing\n", page.toLocalFile().toLocal8Bit().constData());
      return;
    }
    // The help window belongs to the dialog that asked: it takes input
    // while that dialog is modal, and closes when it ends.
    const HWND owner = TopLevelWindowOf(window);
    QWidget* parent = mirror_->TopWidgetOf(owner);
    if (!help_ || help_->parentWidget() != parent) {
      delete help_.data();
      help_ = new HelpWindow(parent);
    }
    helpOwner_ = owner;
    help_->Open(page);
  }

  void WindowCreated(HWND window) override { mirror_->Created(window); }
  void WindowChanged(HWND window, Change what) override {
    if (what == Change::Geometry) mirror_->Moved(window);
    if (what == Change::Foreground) mirror_->BringForward(window);
    if (what == Change::Items) mirror_->ItemsChanged(window);
  }
  void WindowDestroyed(HWND window) override {
    // The help window goes now, with its dialog: left for later, it would
    // outlive the face and be torn down with the process.
    if (window == helpOwner_) {
      delete help_.data();
      helpOwner_ = nullptr;
    }
    mirror_->Destroyed(window);
  }

  // ---- Script actions as input on the widgets ---------------------------------------

  bool Type(HWND edit, const std::u16string& text, std::string* why) override {
    QWidget* widget = Usable(edit, {Kind::Edit, Kind::MultiEdit});
    if (widget == nullptr) return Direct("type", edit, InputDriver::Type(edit, text, why));
    EnterEdit(edit);
    for (char16_t c : text) {
      if (!IsWindow(edit)) break;
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, modifiers_, QString(QChar(c)));
      if (!SendAndRun(widget, &key, why)) return false;
      mirror_->SyncAll();
    }
    return true;
  }

  bool Paste(HWND edit, const std::u16string& text, std::string* why) override {
    QWidget* widget = Usable(edit, {Kind::Edit, Kind::MultiEdit});
    if (widget == nullptr) return Direct("paste", edit, InputDriver::Paste(edit, text, why));
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
    EnterEdit(edit);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    return SendAndRun(widget, &key, why);
  }

  bool Click(HWND button, std::string* why) override {
    QWidget* widget = Usable(button, {Kind::Push, Kind::Check, Kind::Radio});
    if (widget == nullptr) return Direct("click", button, InputDriver::Click(button, why));
    // On the box of a check box or radio button, in the middle of a push button.
    QPoint at = widget->rect().center();
    if (mirror_->KindOf(button) != Kind::Push) {
      at = QPoint(widget->layoutDirection() == Qt::RightToLeft ? widget->width() - 5 : 5, widget->height() / 2);
    }
    const QPoint global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers_);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers_);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
    return RunTaken(why);
  }

  bool Select(HWND list, const std::vector<int>& items, std::string* why) override {
    QWidget* widget = Usable(list, {Kind::List, Kind::Combo});
    if (widget == nullptr) return Direct("select", list, InputDriver::Select(list, items, why));
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      if (items.size() != 1 || items[0] >= combo->count()) {
        return Direct("select", list, InputDriver::Select(list, items, why));
      }
      combo->setCurrentIndex(items[0]);
      mirror_->ComboChosen(list, items[0]);
      return RunTaken(why);
    }
    auto* view = static_cast<QListView*>(widget);
    const bool single = view->selectionMode() == QAbstractItemView::SingleSelection;
    for (int item : items) {
      if (item >= view->model()->rowCount() || (single && items.size() > 1)) {
        return Direct("select", list, InputDriver::Select(list, items, why));
      }
    }
    // The selection a person makes with clicks and Shift or Ctrl, taken at once.
    QItemSelection selection;
    for (int item : items) selection.select(view->model()->index(item, 0), view->model()->index(item, 0));
    {
      QSignalBlocker quiet(view->selectionModel());
      view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    mirror_->ListChosen(list, rows);
    return RunTaken(why);
  }

  bool DoubleClick(HWND list, int item, std::string* why) override {
    auto* view = qobject_cast<QListView*>(Usable(list, {Kind::List}));
    if (view == nullptr || item >= view->model()->rowCount()) {
      return Direct("doubleclick", list, InputDriver::DoubleClick(list, item, why));
    }
    emit view->doubleClicked(view->model()->index(item, 0));
    return RunTaken(why);
  }

  bool Key(HWND control, int virtualKey, std::string* why) override {
    QWidget* widget = mirror_->WidgetOf(control);
    const int key = QtKeyOf(virtualKey);
    const bool top = mirror_->KindOf(control) == Kind::Dialog || mirror_->KindOf(control) == Kind::Sheet;
    if (widget == nullptr || key == 0 || (!top && (!widget->isEnabled() || !widget->isVisible()))) {
      return Direct("key", control, InputDriver::Key(control, virtualKey, why));
    }
    QKeyEvent press(QEvent::KeyPress, key, modifiers_);
    return SendAndRun(widget, &press, why);
  }

  bool Page(HWND sheet, int templateId, std::string* why) override {
    QTabWidget* tabs = mirror_->TabsOf(sheet);
    for (int i = 0; tabs != nullptr && i < tabs->count(); ++i) {
      if (mirror_->TabTemplate(sheet, i) != templateId) continue;
      if (tabs->currentIndex() == i) return InputDriver::Page(sheet, templateId, why);  // shown already
      tabs->setCurrentIndex(i);
      return RunTaken(why);
    }
    return Direct("page", sheet, InputDriver::Page(sheet, templateId, why));
  }

  bool PageAt(HWND sheet, int index, std::string* why) override {
    QTabWidget* tabs = mirror_->TabsOf(sheet);
    if (tabs == nullptr || index < 0 || index >= tabs->count()) {
      return Direct("page", sheet, InputDriver::PageAt(sheet, index, why));
    }
    if (tabs->currentIndex() == index) return InputDriver::PageAt(sheet, index, why);
    tabs->setCurrentIndex(index);
    return RunTaken(why);
  }

  // Alt+letter as the keyboard gives it, to the widget with the focus.
  bool Mnemonic(HWND modal, char16_t letter, std::string* why) override {
    QWidget* widget = mirror_->WidgetOf(GetFocus());
    if (widget == nullptr || !widget->isVisible()) return Direct("alt", modal, InputDriver::Mnemonic(modal, letter, why));
    const QString text = QString(QChar(letter));
    const int key = text.toUpper()[0].unicode();
    QKeyEvent override(QEvent::ShortcutOverride, key, Qt::AltModifier, text);
    QCoreApplication::sendEvent(widget, &override);
    QKeyEvent press(QEvent::KeyPress, key, Qt::AltModifier, text);
    return SendAndRun(widget, &press, why);
  }

  void Hold(bool shift, bool control) override {
    modifiers_ = Qt::NoModifier;
    if (shift) modifiers_ |= Qt::ShiftModifier;
    if (control) modifiers_ |= Qt::ControlModifier;
    HoldModifiers(shift, control);
  }

  bool Shot(HWND modal, const std::u16string& path, std::string* why) override {
    mirror_->SyncAll();
    Pump();
    QWidget* widget = mirror_->TopWidgetOf(modal);
    if (widget == nullptr) {
      *why = "no window is shown to take a picture of";
      return false;
    }
    return SavePicture(*widget, path, why);
  }

  // The box as AnswerBox will show it, up for the picture only.
  bool ShotBox(const MessageBoxCall& call, const std::u16string& path, std::string* why) override {
    std::unique_ptr<QMessageBox> box = MakeMessageBox(call, OwnerWidget(call.owner));
    box->open();
    Pump();
    const bool saved = SavePicture(*box, path, why);
    box->hide();
    return saved;
  }

  int AnswerBox(const MessageBoxCall& call, int answer) override {
    std::unique_ptr<QMessageBox> box = MakeMessageBox(call, OwnerWidget(call.owner));
    box->open();
    Pump();
    PressAnswer(*box, answer);
    Pump();
    const int given = AnswerOf(*box, call);
    box->hide();
    return given;
  }

  FileDialogAnswer AnswerFile(const FileDialogCall& call, const FileDialogAnswer& answer) override {
    std::unique_ptr<QFileDialog> dialog = MakeFileDialog(call, OwnerWidget(call.owner), true);
    dialog->open();
    Pump();
    if (!answer.chosen) {
      dialog->reject();
      return {};
    }
    // The layer checks the answer as it checks a person's.
    dialog->selectFile(QString::fromStdU16String(answer.path));
    dialog->hide();
    return answer;
  }

 private:
  std::unique_ptr<Mirror> mirror_;
  std::unique_ptr<script::Runner> runner_;
  QObject* waker_ = nullptr;
  QEventLoop* loop_ = nullptr;
  bool woken_ = false;
  std::deque<Step> pending_;
  Qt::KeyboardModifiers modifiers_ = Qt::NoModifier;
  QPointer<HelpWindow> help_;
  HWND helpOwner_ = nullptr;

  static HWND TopLevelWindowOf(HWND window) {
    while (window != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
    return window;
  }

  void Take(Step step) {
    pending_.push_back(std::move(step));
    if (loop_ != nullptr) loop_->quit();
  }

  // Runs what the widgets asked for; false when one step failed.
  bool RunPending(std::string* why) {
    bool done = true;
    while (!pending_.empty()) {
      Step step = std::move(pending_.front());
      pending_.pop_front();
      if (!step(why)) done = false;
    }
    return done;
  }

  // An action the widget could not take goes to the layer, which gives the
  // reason it is refused; when the layer takes it all the same, the widget
  // did not show the layer's state, which is said on standard error.
  static bool Direct(const char* action, HWND control, bool taken) {
    if (taken) {
      std::fprintf(stderr, "telequill: qt face: %s on control %d was taken by the layer directly\n", action,
                   GetDlgCtrlID(control));
    }
    return taken;
  }

  bool RunTaken(std::string* why) {
    if (pending_.empty()) {
      *why = "the Qt widget did not take the input";
      return false;
    }
    return RunPending(why);
  }

  bool SendAndRun(QWidget* widget, QEvent* event, std::string* why) {
    QCoreApplication::sendEvent(widget, event);
    return RunTaken(why);
  }

  // The focus comes to an edit with its whole text selected, as the dialog
  // manager gives it on tabbing in; the script's keys follow.
  void EnterEdit(HWND edit) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    mirror_->SyncAll();
  }

  static void Pump() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

  static bool SavePicture(QWidget& widget, const std::u16string& path, std::string* why) {
    const QString file = QString::fromStdU16String(path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!widget.grab().save(file, "PNG")) {
      *why = "the picture cannot be written to " + Utf16ToUtf8(path);
      return false;
    }
    return true;
  }

  // The widget of `control` when it can take input as shown; null sends the
  // action to the layer, which gives the reason it cannot.
  QWidget* Usable(HWND control, std::initializer_list<Kind> kinds) {
    QWidget* widget = mirror_->WidgetOf(control);
    if (widget == nullptr || std::find(kinds.begin(), kinds.end(), mirror_->KindOf(control)) == kinds.end()) return nullptr;
    if (!widget->isEnabled() || !widget->isVisibleTo(widget->window())) return nullptr;
    return widget;
  }

  QWidget* OwnerWidget(HWND owner) {
    QWidget* widget = mirror_->TopWidgetOf(owner);
    return widget != nullptr ? widget : mirror_->TopWidgetOf(ActiveModalWindow());
  }
};

}  // namespace
}  // namespace tq::ui::qt

// The face library's entry, found by the layer with dlsym.
TQ_EXPORT tq::ui::Face* TelequillCreateFace(const tq::ui::FaceOptions* options) {
  const tq::ui::FaceOptions none;
  return new tq::ui::qt::QtFace(options != nullptr ? *options : none);
}
