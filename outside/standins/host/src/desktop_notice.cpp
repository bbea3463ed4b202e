#include "host/desktop_notice.h"

#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantMap>

#include <atomic>

#include "texts.h"

namespace tq::host {

DesktopNotice SentNotice(const std::string& title, int recipients) {
  std::string summary = std::string(texts::kNoticeFaxOpen) + title + texts::kNoticeSent;
  if (recipients == 1) {
    summary += texts::kNoticeOneRecipient;
  } else if (recipients > 1) {
    summary += " : " + std::to_string(recipients) + texts::kNoticeRecipients;
  }
  return {summary, {}};
}

DesktopNotice FailedNotice(const std::string& title, const std::string& reason, bool held) {
  return {std::string(texts::kNoticeFaxOpen) + title + (held ? texts::kNoticeHeld : texts::kNoticeFailed), reason};
}

bool ShowDesktopNotice(const DesktopNotice& notice) {
  constexpr int kWaitMilliseconds = 5000;
  // A connection of its own for each notice: notices are rare, and the
  // agent keeps nothing open on a bus that may come and go with sessions.
  static std::atomic<int> serial{0};
  const QString name = QStringLiteral("telequill-notice-%1").arg(++serial);
  bool shown = false;
  {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    if (bus.isConnected()) {
      QDBusMessage call = QDBusMessage::createMethodCall(
          QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
          QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
      call << QStringLiteral("Telequill") << 0u << QStringLiteral("printer") << QString::fromStdString(notice.summary)
           << QString::fromStdString(notice.body) << QStringList() << QVariantMap() << -1;
      shown = bus.call(call, QDBus::Block, kWaitMilliseconds).type() == QDBusMessage::ReplyMessage;
    }
  }
  QDBusConnection::disconnectFromBus(name);
  return shown;
}

}  // namespace tq::host
