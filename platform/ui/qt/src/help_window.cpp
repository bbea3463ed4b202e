#include "help_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "texts.h"

namespace tq::ui::qt {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QString::fromUtf16(texts::kHelpTitle));
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout();
  back_ = new QPushButton(QString::fromUtf16(texts::kBackButton), this);
  forward_ = new QPushButton(QString::fromUtf16(texts::kForwardButton), this);
  close_ = new QPushButton(QString::fromUtf16(texts::kCloseButton), this);
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
    setWindowTitle(title.isEmpty() ? QString::fromUtf16(texts::kHelpTitle) : title);
  });
  QSize size(560, 480);
  if (QScreen* screen = QGuiApplication::primaryScreen()) size = size.boundedTo(screen->availableGeometry().size());
  resize(size);
}

void HelpWindow::Open(const QUrl& page) {
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
