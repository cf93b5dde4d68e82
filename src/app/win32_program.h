// The Windows program's start: its command line read as the Linux
// program's is, the Win32 toolkit, and the shell on it. wWinMain
// (win32_main.cpp, and the demo program's) calls it with whatever device
// backend it has chosen.
#pragma once

#include "device/device_backend.h"

int RunWin32Program(const DeviceBackend& backend);
