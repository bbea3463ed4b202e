#include "help_window.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "win/system_texts.h"

namespace tq::ui::qt {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  const SystemTexts& texts = CurrentSystemTexts();
  const QString helpTitle = QString::fromStdU16String(texts.helpTitle);
  setWindowTitle(helpTitle);
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout();
  back_ = new QPushButton(QString::fromStdU16String(texts.helpBack), this);
  forward_ = new QPushButton(QString::fromStdU16String(texts.helpForward), this);
  close_ = new QPushButton(QString::fromStdU16String(texts.helpClose), this);
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch(1);
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  browser_ = new QTextBrowser(this);
  // Links between topics stay here; a link out of the help opens nothing.
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_, 1);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this, helpTitle] {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? helpTitle : title);
  });
  QSize size(560, 480);
  if (QScreen* screen = QGuiApplication::primaryScreen()) size = size.boundedTo(screen->availableGeometry().size());
  resize(size);
}

QRect HelpPlacement(const QRect& dialog, const QSize& help, const QRect& screen) {
  constexpr int kGap = 8;
  constexpr int kNarrowest = 240;  // pixels: narrower, the topics read badly
  const int height = std::min(help.height(), screen.height());
  const int y = std::clamp(dialog.top(), screen.top(), screen.bottom() + 1 - height);
  const int right = screen.right() + 1 - (dialog.right() + 1 + kGap);  // room on each side
  const int left = dialog.left() - kGap - screen.left();
  // Beside the dialog, right or else left, level with its top; narrowed
  // to the larger side when neither holds it; over the dialog, inside the
  // screen, only when neither side has room for a narrow one.
  if (right >= help.width()) return {dialog.right() + 1 + kGap, y, help.width(), height};
  if (left >= help.width()) return {dialog.left() - kGap - help.width(), y, help.width(), height};
  if (std::max(left, right) >= kNarrowest) {
    return right >= left ? QRect(dialog.right() + 1 + kGap, y, right, height)
                         : QRect(screen.left(), y, left, height);
  }
  const int width = std::min(help.width(), screen.width());
  return {screen.right() + 1 - width, y, width, height};
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void HelpWindow::Open(const QUrl& page) {
  if (!isVisible() && parentWidget() != nullptr) {
    QWidget* dialog = parentWidget()->window();
    QScreen* screen = dialog->screen() != nullptr ? dialog->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      // The window manager's frame comes around the placed rectangle.
      const QMargins frame(4, 24, 4, 4);
      const QRect place =
          HelpPlacement(dialog->frameGeometry(), size().grownBy(frame), screen->availableGeometry()).marginsRemoved(frame);
      setGeometry(place);
    }
  }
  // The same file at another topic scrolls there and stays in the history.
  if (browser_->source().adjusted(QUrl::RemoveFragment) == page.adjusted(QUrl::RemoveFragment) &&
      !page.fragment().isEmpty()) {
    browser_->setSource(page);
    browser_->scrollToAnchor(page.fragment());
  } else {
    browser_->setSource(page);
  }
  show();
  raise();
  activateWindow();
}

}  // namespace tq::ui::qt
