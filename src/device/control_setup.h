// What goes on the wire for a vendor request that the Windows
// printing-support driver would send. That driver documents byte 1 of its
// 3-byte input as the MOST significant byte of wValue and byte 2 as the
// least, so the bytes (code, low, high) that the program builds arrive on
// the wire as the byte-swapped value: wValue 0x0F00 becomes 0x000F.
#pragma once

#include <cstdint>

struct ControlSetup {
  std::uint8_t bmRequestType;  // 0xC1: vendor, device-to-host, interface
  std::uint8_t bRequest;
  std::uint16_t wValue;
  std::uint16_t wIndex;  // the printer interface's number
  std::uint16_t wLength;
};

inline constexpr std::uint8_t kVendorInInterface = 0xC1;

// The one mapping from the driver's input bytes to the control transfer.
ControlSetup ControlSetupFromPrintSupportInput(const std::uint8_t input[3],
                                               std::uint16_t interfaceNumber, std::uint16_t length);

// The 3-byte input the program builds: code, wValue low, wValue high.
void PrintSupportInput(int code, int wValue, std::uint8_t input[3]);
