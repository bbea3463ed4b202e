// A person at the keyboard and mouse for the in-process Qt tests: steps
// taken one at a time while the layer's modal loop waits for input.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <vector>

#include "win/user.h"
#include "win/user_input.h"

// Each step is taken at one wait for input of the layer's modal loop; a
// step that waits for something (a button's click comes a moment after
// its mnemonic) is tried again at the next one.
class Person {
 public:
  explicit Person(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
    QObject::connect(&ticks_, &QTimer::timeout, [this] {
      // Keys go to the active window, once the window system made it so.
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && QApplication::activeWindow() != modal && idle_++ < 2000) return;
      if (next_ < steps_.size() && steps_[next_]()) {
        idle_ = 0;
        ++next_;
        sinceProgress_.restart();
      } else if ((next_ < steps_.size() && sinceProgress_.elapsed() > 20000) || (next_ == steps_.size() && ++idle_ > 2000)) {
        // A step that never comes true, or whatever still waits, was not
        // expected: end it rather than hang.
        for (HWND modal; (modal = tq::ui::ActiveModalWindow()) != nullptr;) EndDialog(modal, 99);
      }
    });
    sinceProgress_.start();
    ticks_.start(0);
  }
  size_t Done() const { return next_; }

 private:
  std::vector<std::function<bool()>> steps_;
  size_t next_ = 0;
  int idle_ = 0;
  QTimer ticks_;
  QElapsedTimer sinceProgress_;
};

inline QWidget* Focused() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr && modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
}
