// The modal configuration window: the printer's information pages in seven tabs.
#pragma once

#include "layouts/control_ids.h"
#include "page_helpers/app_context.h"
#include "printer/configuration_texts.h"
#include "ui/dialog.h"

// The panel page's "Display Configuration Page": opens the device link,
// reads the information pages and counters, shows the window modally (owned
// by owner) and, when it closes, releases what was read and closes the link.
void OpenConfigurationWindow(Window& owner, AppContext& ctx);

// The window's procedure; its creation parameter is the AppContext.
void ConfigurationWindowProc(Window& window, const DialogMessage& message);
