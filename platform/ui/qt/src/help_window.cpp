#include "help_window.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tq::ui::qt {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Aide"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout();
  back_ = new QPushButton(QStringLiteral("&Précédent"), this);
  forward_ = new QPushButton(QStringLiteral("&Suivant"), this);
  close_ = new QPushButton(QStringLiteral("&Fermer"), this);
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
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Aide") : title);
  });
  QSize size(560, 480);
  if (QScreen* screen = QGuiApplication::primaryScreen()) size = size.boundedTo(screen->availableGeometry().size());
  resize(size);
}

QPoint HelpPlacement(const QRect& dialog, const QSize& help, const QRect& screen) {
  constexpr int kGap = 8;
  // Beside the dialog, right or else left, level with its top; the screen
  // keeps it whole, over the dialog only when neither side has room.
  int x = dialog.right() + 1 + kGap;
  if (x + help.width() > screen.right() + 1) x = dialog.left() - kGap - help.width();
  if (x < screen.left()) x = screen.right() + 1 - help.width();
  const int y = std::clamp(dialog.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - help.height()));
  return {std::max(x, screen.left()), y};
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
    if (screen != nullptr) move(HelpPlacement(dialog->frameGeometry(), frameGeometry().size(), screen->availableGeometry()));
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
