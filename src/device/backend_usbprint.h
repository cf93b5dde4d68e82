// The Windows backend: the printing-support driver (usbprint). The system
// functions it calls come from a table, so that a test can stand a driver
// of its own in for the system's.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include "device/device_backend.h"

struct UsbprintPlatform {
  decltype(&SetupDiGetClassDevsW) getClassDevs;
  decltype(&SetupDiEnumDeviceInfo) enumDeviceInfo;
  decltype(&SetupDiGetDeviceRegistryPropertyW) getDeviceRegistryProperty;
  decltype(&SetupDiEnumDeviceInterfaces) enumDeviceInterfaces;
  decltype(&SetupDiGetDeviceInterfaceDetailW) getDeviceInterfaceDetail;
  decltype(&SetupDiDestroyDeviceInfoList) destroyDeviceInfoList;
  decltype(&CreateFileW) createFile;
  decltype(&CloseHandle) closeHandle;
  decltype(&DeviceIoControl) deviceIoControl;
  decltype(&CreateEventW) createEvent;
  decltype(&WaitForSingleObject) waitForSingleObject;
  decltype(&CancelIoEx) cancelIoEx;
  decltype(&GetOverlappedResult) getOverlappedResult;
};

// The system's own functions.
const UsbprintPlatform& SystemUsbprintPlatform();

// The backend calling the functions of `platform` (which must outlive it).
DeviceBackend UsbprintBackend(const UsbprintPlatform& platform);
