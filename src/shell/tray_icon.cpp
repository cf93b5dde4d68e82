#include "shell/tray_icon.h"

#include "string_ids.h"

void SetTrayIcon(Window& mainWindow, TrayAction action) {
  if (action == TrayAction::Add)
    CurrentPlatform().AddTrayIcon(mainWindow, kTrayIconId, kTrayTip);
  else
    CurrentPlatform().RemoveTrayIcon(mainWindow, kTrayIconId);
}

int ShowTrayMenu(Window& mainWindow) {
  int command = CurrentPlatform().TrackMenu(
      mainWindow, {{kTextOpenPanel, kCommandOpenPanel}, {kTextExit, kCommandExit}});
  return command & 0xFFFF;
}
