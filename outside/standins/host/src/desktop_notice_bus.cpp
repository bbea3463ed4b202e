// The notices shown through the session bus's notification service.
#include "host/desktop_notice.h"

#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantMap>

#include <atomic>

namespace tq::host {

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
