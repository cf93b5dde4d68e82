// The Qt platform: the application's event loop, the notification icon, the
// single-instance lock (with a local socket beside it on which later starts
// knock) and the screen.
#pragma once

#include <QIcon>
#include <QLocalServer>
#include <QLockFile>
#include <QSystemTrayIcon>

#include <memory>
#include <vector>

#include "ui/dialog.h"
#include "ui/qt/qt_window.h"

class QtPlatform final : public Platform {
 public:
  explicit QtPlatform(QIcon icon);
  ~QtPlatform() override;

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override;
  int RunMessageLoop() override;
  void Quit(int code) override;
  bool AcquireSingleInstance(const char* name) override;
  void ReleaseSingleInstance() override;
  void ListenForLaterStarts(Window& owner, int command) override;
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  Size ScreenSize() override;
  void DebugTrace(const char* text) override;
  bool NotificationAreaAvailable() override;

 private:
  QIcon icon_;
  std::vector<std::unique_ptr<QtWindow>> windows_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> laterStarts_;
  std::unique_ptr<QSystemTrayIcon> tray_;
};
