// The module that shows notices through the session bus's notification
// service (tq_notice_bus.so). It is a module of its own, loaded by the agent
// when it first has something to tell, so that qlhost's print runs and the
// backend do not load Qt at start-up.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantMap>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>

#include <atomic>

extern "C" __attribute__((visibility("default"))) bool TelequillShowDesktopNotice(const char* summary,
                                                                                const char* body) {
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
      call << QStringLiteral("Telequill") << 0u << QStringLiteral("printer") << QString::fromUtf8(summary)
           << QString::fromUtf8(body) << QStringList() << QVariantMap() << -1;
      shown = bus.call(call, QDBus::Block, kWaitMilliseconds).type() == QDBusMessage::ReplyMessage;
    }
  }
  QDBusConnection::disconnectFromBus(name);
  return shown;
}
