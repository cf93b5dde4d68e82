// The desktop's notification service (org.freedesktop.Notifications on the
// session bus): where the program's notifications go whenever it runs, and
// when there is no notification area to show them.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

class DesktopNotifications final : public QObject {
  Q_OBJECT

 public:
  // clicked: called when the user clicks one of this program's
  // notifications.
  explicit DesktopNotifications(std::function<void()> clicked);

  // Does nothing when there is no session bus.
  void Show(const QString& title, const QString& text, bool urgent);

 private slots:
  void ActionInvoked(uint id, const QString& action);

 private:
  std::function<void()> clicked_;
  QSet<uint> shown_;  // the ids the service gave this program's notifications
};
