// The user service page: the second tab of the main window.
#pragma once

#include "ui/dialog.h"

void UserServicePageProc(Window& page, const DialogMessage& message);
