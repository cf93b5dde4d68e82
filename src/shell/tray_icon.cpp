#include "shell/tray_icon.h"

#include "shell/main_window.h"

namespace {
constexpr int kTextOpenPanel = 19;  // "Open Panel"
constexpr int kTextExit = 20;       // "Exit"
}  // namespace

void SetTrayIcon(Window& mainWindow, TrayAction action) {
  if (action == TrayAction::Add)
    CurrentPlatform().AddTrayIcon(mainWindow, kTrayIconId, kTrayTip);
  else
    CurrentPlatform().RemoveTrayIcon(mainWindow, kTrayIconId);
}

void ShowTrayMenu(Window& mainWindow) {
  int command = CurrentPlatform().TrackMenu(
      mainWindow, {{kTextOpenPanel, kCommandOpenPanel}, {kTextExit, kCommandExit}});
  // A dismissed menu gives 0, which the main window ignores.
  MainWindowProc(mainWindow, {DialogEvent::Command, command & 0xFFFF, 0});
}
