// The program's platform on the runner's Qt desktop: Qt's own, with what it
// does that a user sees written to the transcript (the icon, the menu
// dismissed, files written, debug traces).
#pragma once

#include <QSystemTrayIcon>

#include "ui/dialog.h"
#include "ui/headless/transcript.h"
#include "ui/qt/qt_platform.h"

class ScenarioQtPlatform final : public Platform {
 public:
  explicit ScenarioQtPlatform(Transcript& transcript);

  QSystemTrayIcon* TrayIcon() const { return qt_.TrayIcon(); }

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override {
    return qt_.CreateModeless(templateId, proc, param);
  }
  int RunMessageLoop() override { return qt_.RunMessageLoop(); }
  void Quit(int code) override { qt_.Quit(code); }
  bool AcquireSingleInstance(const char* name) override { return qt_.AcquireSingleInstance(name); }
  void ReleaseSingleInstance() override { qt_.ReleaseSingleInstance(); }
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override;
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  // The desktop has a notification area, as the stories assume, even where
  // the platform (offscreen) shows no icons: the runner clicks it.
  bool NotificationAreaAvailable() override { return true; }
  Size ScreenSize() override { return qt_.ScreenSize(); }
  void DebugTrace(const char* text) override;
  void FileWritten(const std::string& path) override;

 private:
  QtPlatform qt_;
  Transcript& transcript_;
};
