#include "ui/qt/qt_platform.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

#include "common/string_table.h"

namespace {

// The program's trace, on by default; QT_LOGGING_RULES="vantrel.trace=false" silences it.
Q_LOGGING_CATEGORY(traceCategory, "vantrel.trace", QtDebugMsg)

// A StatusNotifierItem host never reports a double-click, only single
// activations; Qt uses it whenever its watcher is on the session bus.
bool StatusNotifierHost() {
  QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
  return bus && bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

// The desktop's notification service keeps what it shows (a history, do
// not disturb); Qt's own balloon on an XEmbed tray keeps nothing. Asked at
// each notification: a service that starts after the program is used.
bool NotificationServiceRunning() {
  QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
  return bus && bus->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications"));
}

}  // namespace

QtPlatform::QtPlatform(QIcon icon, std::array<QIcon, 4> stateIcons)
    : icon_(std::move(icon)), stateIcons_(std::move(stateIcons)) {}

QtPlatform::~QtPlatform() = default;

Window* QtPlatform::CreateModeless(int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return nullptr;
  windows_.push_back(std::make_unique<QtWindow>(*dialog, proc, nullptr, nullptr));
  QtWindow* window = windows_.back().get();
  window->widget()->setWindowIcon(icon_);
  window->Send({DialogEvent::Init, 0, 0, param});
  return window;
}

int QtPlatform::RunMessageLoop() { return QApplication::exec(); }

void QtPlatform::Quit(int code) {
  // A quit would end every loop at once, the modal ones with their windows
  // still up: they end first, innermost out.
  if (QtWindow::ModalLoopsRunning())
    QtWindow::AfterModalLoops([code] { QApplication::exit(code); });
  else
    QApplication::exit(code);
}

bool QtPlatform::AcquireSingleInstance(const char* name, int request) {
  // A lock file in the user's runtime folder: a lock left by a killed
  // instance is taken over, since its process is gone.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name);
  lock_ = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) {
    // The socket of a killed instance is stale as well.
    QLocalServer::removeServer(path + QStringLiteral(".socket"));
    laterStarts_ = std::make_unique<QLocalServer>();
    laterStarts_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!laterStarts_->listen(path + QStringLiteral(".socket"))) laterStarts_.reset();
    return true;
  }
  lock_.reset();
  // Knock: the connection is the message, and what it carries before it
  // ends the request (nothing for a plain start).
  QLocalSocket knock;
  knock.connectToServer(path + QStringLiteral(".socket"));
  if (knock.waitForConnected(2000)) {
    if (request != 0) {
      knock.write(QByteArray::number(request));
      knock.waitForBytesWritten(2000);
    }
    knock.disconnectFromServer();
    if (knock.state() != QLocalSocket::UnconnectedState) knock.waitForDisconnected(2000);
  }
  return false;
}

void QtPlatform::ReleaseSingleInstance() {
  laterStarts_.reset();
  lock_.reset();
}

void QtPlatform::ListenForLaterStarts(Window& owner, int command, int endRequest) {
  if (!laterStarts_) return;
  auto* window = static_cast<QtWindow*>(&owner);
  QLocalServer* server = laterStarts_.get();
  // Heard once the later start has hung up, with all it wrote.
  auto heard = [window, command, endRequest](const QByteArray& said) {
    const int request = said.toInt();  // 0 when empty
    if (request == endRequest && QtWindow::ModalLoopsRunning()) {
      QtWindow::AfterModalLoops([window, command, request] {
        window->Send({DialogEvent::Command, command, request});
      });
      return;
    }
    // A modal box open (a message, the configuration window) answers by
    // coming to the front; the window hears of the start otherwise.
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->raise();
      modal->activateWindow();
      return;
    }
    window->Send({DialogEvent::Command, command, request});
  };
  auto knocked = [server, heard] {
    while (QLocalSocket* knock = server->nextPendingConnection()) {
      auto said = std::make_shared<QByteArray>(knock->readAll());
      if (knock->state() == QLocalSocket::UnconnectedState) {
        knock->deleteLater();
        heard(*said);
        continue;
      }
      QObject::connect(knock, &QLocalSocket::readyRead, knock,
                       [knock, said] { *said += knock->readAll(); });
      QObject::connect(knock, &QLocalSocket::disconnected, knock, [knock, said, heard] {
        *said += knock->readAll();
        knock->deleteLater();
        heard(*said);
      });
    }
  };
  QObject::connect(server, &QLocalServer::newConnection, window->widget(), knocked);
}

void QtPlatform::AddTrayIcon(Window& owner, int iconId, const char* tip) {
  auto* window = static_cast<QtWindow*>(&owner);
  tray_ = std::make_unique<QSystemTrayIcon>(IconFor(state_));
  if (tip_.isEmpty()) tip_ = QString::fromUtf8(tip);
  tray_->setToolTip(tip_);
  QObject::connect(tray_.get(), &QSystemTrayIcon::messageClicked, tray_.get(), [window, iconId] {
    QTimer::singleShot(0, window->widget(), [window, iconId] {
      window->Send({DialogEvent::TrayIcon, iconId, kNotificationClicked});
    });
  });
  const bool singleOpens = StatusNotifierHost();
  QObject::connect(tray_.get(), &QSystemTrayIcon::activated, tray_.get(),
                   [window, iconId, singleOpens](QSystemTrayIcon::ActivationReason reason) {
                     int mouse = 0;
                     if (reason == QSystemTrayIcon::DoubleClick)
                       mouse = kMouseLeftDoubleClick;
                     else if (reason == QSystemTrayIcon::Context)
                       mouse = kMouseRightUp;
                     else if (reason == QSystemTrayIcon::Trigger)
                       mouse = singleOpens ? kMouseLeftDoubleClick : kMouseLeftUp;
                     // Delivered once the icon's own event handling is over, as
                     // a posted message: the handler may open a menu or end
                     // the program.
                     if (mouse)
                       QTimer::singleShot(0, window->widget(), [window, iconId, mouse] {
                         window->Send({DialogEvent::TrayIcon, iconId, mouse});
                       });
                   });
  tray_->show();
}

void QtPlatform::RemoveTrayIcon(Window&, int) {
  if (!tray_) return;
  // "Exit" comes from the icon's own signal: delete it once that returns.
  tray_->hide();
  tray_.release()->deleteLater();
}

int QtPlatform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  QMenu menu(static_cast<QtWindow&>(owner).widget());
  for (const MenuItem& item : items)
    menu.addAction(QString::fromStdString(TextOrEmpty(item.stringId)))->setData(item.command);
  QAction* chosen = menu.exec(QCursor::pos());
  return chosen ? chosen->data().toInt() : 0;
}

Size QtPlatform::ScreenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect r = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  return {r.width(), r.height()};
}

Rect QtPlatform::WorkArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void QtPlatform::DebugTrace(const char* text) {
  qCDebug(traceCategory).noquote() << QString::fromUtf8(text);
}

bool QtPlatform::NotificationAreaAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

// The application's override cursor: over every window of the program.
void QtPlatform::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtPlatform::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

Platform::ThreadCaller QtPlatform::WindowThreadCaller(Window&) {
  return [](std::function<void()> call) {
    if (QCoreApplication* app = QCoreApplication::instance())
      QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
  };
}

QIcon QtPlatform::IconFor(IconState state) const {
  if (state == IconState::kPlain) return icon_;
  const QIcon& icon = stateIcons_[static_cast<int>(state) - 1];
  return icon.isNull() ? icon_ : icon;
}

void QtPlatform::SetTrayIconState(Window&, int, IconState state, const std::string& tip) {
  state_ = state;
  tip_ = QString::fromStdString(tip);
  if (!tray_) return;
  tray_->setIcon(IconFor(state));
  tray_->setToolTip(tip_);
}

void QtPlatform::Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
                        const std::string& text) {
  if (tray_ && QSystemTrayIcon::isSystemTrayAvailable() && QSystemTrayIcon::supportsMessages() &&
      !NotificationServiceRunning()) {
    const auto icon = kind == NotificationKind::kError     ? QSystemTrayIcon::Critical
                      : kind == NotificationKind::kWarning ? QSystemTrayIcon::Warning
                                                           : QSystemTrayIcon::Information;
    tray_->showMessage(QString::fromStdString(title), QString::fromStdString(text), icon);
    return;
  }
  if (!desktopNotifications_) {
    auto* window = static_cast<QtWindow*>(&owner);
    // Posted, as the icon's clicks are: opening the window runs loops of its own.
    desktopNotifications_ = std::make_unique<DesktopNotifications>([window, iconId] {
      QTimer::singleShot(0, window->widget(), [window, iconId] {
        window->Send({DialogEvent::TrayIcon, iconId, kNotificationClicked});
      });
    });
  }
  desktopNotifications_->Show(QString::fromStdString(title), QString::fromStdString(text),
                              kind == NotificationKind::kError);
}
