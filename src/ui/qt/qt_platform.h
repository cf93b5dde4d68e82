// The Qt platform: the application's event loop, the notification icon, the
// single-instance lock (with a local socket beside it on which later starts
// knock) and the screen.
#pragma once

#include <QIcon>
#include <QLocalServer>
#include <QLockFile>
#include <QSystemTrayIcon>

#include <array>
#include <memory>
#include <vector>

#include "ui/dialog.h"
#include "ui/qt/desktop_notifications.h"
#include "ui/qt/qt_window.h"

class QtPlatform final : public Platform {
 public:
  // stateIcons: the icon's pictures for the watch's states, in the order of
  // IconState after kPlain (ready, warning, error, no printer).
  explicit QtPlatform(QIcon icon, std::array<QIcon, 4> stateIcons = {});
  ~QtPlatform() override;

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override;
  int RunMessageLoop() override;
  void Quit(int code) override;
  bool AcquireSingleInstance(const char* name, int request) override;
  void ReleaseSingleInstance() override;
  void ListenForLaterStarts(Window& owner, int command, int endRequest) override;
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override;
  // The desktop's notification service (org.freedesktop.Notifications)
  // whenever it runs, and without a notification area; the icon's message
  // only on a notification area without the service.
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  Size ScreenSize() override;
  Rect WorkArea() override;
  void DebugTrace(const char* text) override;
  bool NotificationAreaAvailable() override;
  // The icon, for a driver that plays a user's clicks on it; null when none.
  QSystemTrayIcon* TrayIcon() const { return tray_.get(); }
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  bool RunsWorkers() override { return true; }
  ThreadCaller WindowThreadCaller(Window& owner) override;

 private:
  QIcon IconFor(IconState state) const;

  QIcon icon_;
  std::array<QIcon, 4> stateIcons_;
  IconState state_ = IconState::kPlain;
  QString tip_;
  std::unique_ptr<DesktopNotifications> desktopNotifications_;  // made at the first need
  std::vector<std::unique_ptr<QtWindow>> windows_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> laterStarts_;
  std::unique_ptr<QSystemTrayIcon> tray_;
};
