// The Windows program's start: the user's language, the common controls,
// the Win32 platform and the shell on it. wWinMain (main.cpp, and the demo
// program's) calls it with whatever device backend it has chosen.
#pragma once

#include "device/device_backend.h"

int RunWin32Program(const DeviceBackend& backend);
