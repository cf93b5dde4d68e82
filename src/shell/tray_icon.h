// The notification icon and its two-item menu.
#pragma once

#include "ui/dialog.h"

inline constexpr int kTrayIconId = 103;
inline constexpr char kTrayTip[] = "Vantrel";

enum class TrayAction { Add, Remove };

void SetTrayIcon(Window& mainWindow, TrayAction action);
// Shows the menu and hands the chosen command to the main window.
void ShowTrayMenu(Window& mainWindow);
