// The main window: the tabs with the operator pages, the hidden
// administrator password field, Close and About; opened from the
// notification icon, hidden on Close.
#pragma once

#include "layouts/control_ids.h"
#include "shell/tray_icon.h"
#include "ui/dialog.h"

struct AppContext;

// The program was started again; the code is the start's StartRequest.
inline constexpr int kCommandLaterStart = 32772;
// Timers of the main window: the opening at start without a notification
// area, and the wait for one at login.
inline constexpr int kOpenAtStartTimer = 1;
inline constexpr int kNotificationAreaWaitTimer = 2;
inline constexpr int kNotificationAreaWaitMs = 10000;
inline constexpr char kAdminPassword[] = "ZELQORN";

void MainWindowProc(Window& window, const DialogMessage& message);

// Opens the link, reads the machine kind and shows the window (building
// its tabs the first time). Does nothing while the window is shown.
// Without a notification area the window is the program: cancelling the
// open, or closing the window, ends it; with the watch running it is only
// hidden, and the program goes on notifying.
void OpenMainWindow(Window& window, AppContext& ctx);
