// The modal configuration window: the printer's information pages in seven tabs.
#pragma once

#include "common/app_context.h"
#include "printer/configuration_texts.h"
#include "ui/dialog.h"

inline constexpr int kConfigTabControl = 1033;
inline constexpr int kConfigCloseButton = 1023;
inline constexpr int kConfigSaveButton = 1024;

// The panel page's "Display Configuration Page": opens the device link,
// reads the information pages and counters, shows the window modally (owned
// by owner) and, when it closes, releases what was read and closes the link.
void OpenConfigurationWindow(Window& owner, AppContext& ctx);

// The window's procedure; its creation parameter is the AppContext.
void ConfigurationWindowProc(Window& window, const DialogMessage& message);
