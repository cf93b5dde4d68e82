// Vantrel on Windows: the Win32 front end over the printing-support driver.
#include <windows.h>

#include "app/win32_program.h"
#include "device/device_backend.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return RunWin32Program(PlatformDeviceBackend());
}
