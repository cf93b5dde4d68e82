// The service mode page: the third tab, added after the administrator password.
#pragma once

#include "ui/dialog.h"

void ServiceModePageProc(Window& page, const DialogMessage& message);
