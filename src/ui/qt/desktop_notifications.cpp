#include "ui/qt/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// Servers may read the body as markup; the printer's texts are plain.
QString PlainBody(QString text) {
  text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
  text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
  text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
  return text;
}

}  // namespace

DesktopNotifications::DesktopNotifications(std::function<void()> clicked)
    : clicked_(std::move(clicked)) {
  QDBusConnection::sessionBus().connect(kService, kPath, kService, QStringLiteral("ActionInvoked"),
                                        this, SLOT(ActionInvoked(uint, QString)));
}

void DesktopNotifications::Show(const QString& title, const QString& text, bool urgent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(urgent ? 2 : 1)));
  // The desktop files its notifications under the program's menu entry.
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vantrel"));
  // The "default" action is a click on the notification itself.
  call << QStringLiteral("Vantrel") << 0u << QStringLiteral("vantrel") << title << PlainBody(text)
       << QStringList{QStringLiteral("default"), title} << hints << -1;
  // Asynchronous: a slow service never holds the program up.
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
    QDBusPendingReply<uint> reply = *w;
    if (reply.isValid()) shown_.insert(reply.value());
    w->deleteLater();
  });
}

void DesktopNotifications::ActionInvoked(uint id, const QString& action) {
  if (action == QStringLiteral("default") && shown_.contains(id) && clicked_) clicked_();
}
