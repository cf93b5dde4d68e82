// The program's platform on the runner's Qt desktop: Qt's own, recorded.
#pragma once

#include <QSystemTrayIcon>

#include "recording_platform.h"
#include "ui/headless/transcript.h"
#include "ui/qt/qt_platform.h"

class ScenarioQtPlatform final : public RecordingPlatform {
 public:
  explicit ScenarioQtPlatform(Transcript& transcript);

  // The icon the runner's clicks go to; null when there is none.
  QSystemTrayIcon* TrayIcon() const { return qt_.TrayIcon(); }

  // Written only: a story's notifications stay off the desktop the runner
  // runs on. A click on one is the icon's messageClicked, as Qt reports it.
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;

 private:
  Platform& Toolkit() override { return qt_; }

  QtPlatform qt_;
};
