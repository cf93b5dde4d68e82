// The notification icon and its two-item menu.
#pragma once

#include "ui/dialog.h"

inline constexpr int kTrayIconId = 103;
inline constexpr char kTrayTip[] = "Vantrel";
inline constexpr int kCommandOpenPanel = 32770;
inline constexpr int kCommandExit = 32771;

enum class TrayAction { Add, Remove };

void SetTrayIcon(Window& mainWindow, TrayAction action);
// Shows the menu; the chosen command, 0 when the menu was dismissed.
int ShowTrayMenu(Window& mainWindow);
