// The panel page: the first tab of the main window.
#pragma once

#include "layouts/control_ids.h"
#include "ui/dialog.h"

struct AppContext;
class DeviceLink;

void PanelPageProc(Window& page, const DialogMessage& message);

// Sends the four default settings the page shows, every one even when an
// earlier one fails, and tells the user whether all were accepted.
void ApplyPanelDefaults(Window& page, DeviceLink& link);
