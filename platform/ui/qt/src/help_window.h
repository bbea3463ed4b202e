// The help window of the Qt face: the module's HTML help in a text browser
// with back, forward and close, opened at a topic. No program outside the
// face is started, so help works wherever the dialogs do.
#pragma once

#include <QRect>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace tq::ui::qt {

// Where a help window of size `help` opens for a dialog at `dialog` (frame
// rectangles) on a screen's free `screen` area: beside the dialog, right or
// else left (narrowed to fit the larger side), inside the screen.
QRect HelpPlacement(const QRect& dialog, const QSize& help, const QRect& screen);

class HelpWindow final : public QWidget {
 public:
  // A window of its own over `parent` (the dialog that asked for help), so
  // that it takes input while that modal dialog is up and goes with it.
  explicit HelpWindow(QWidget* parent);

  // Shows `page` (a local file, its fragment the topic's anchor) and
  // brings the window to the front.
  void Open(const QUrl& page);

  QTextBrowser* Browser() const { return browser_; }
  QPushButton* BackButton() const { return back_; }
  QPushButton* ForwardButton() const { return forward_; }
  QPushButton* CloseButton() const { return close_; }

 protected:
  // Escape closes the help, as it closes a dialog.
  void keyPressEvent(class QKeyEvent* event) override;

 private:
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
  QPushButton* close_;
};

}  // namespace tq::ui::qt
