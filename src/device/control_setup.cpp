#include "device/control_setup.h"

ControlSetup ControlSetupFromPrintSupportInput(const std::uint8_t input[3],
                                               std::uint16_t interfaceNumber,
                                               std::uint16_t length) {
  ControlSetup setup{};
  setup.bmRequestType = kVendorInInterface;
  setup.bRequest = input[0];
  setup.wValue = static_cast<std::uint16_t>(input[1] << 8 | input[2]);
  setup.wIndex = interfaceNumber;
  setup.wLength = length;
  return setup;
}

void PrintSupportInput(int code, int wValue, std::uint8_t input[3]) {
  input[0] = static_cast<std::uint8_t>(code & 0xFF);
  input[1] = static_cast<std::uint8_t>(wValue & 0xFF);
  input[2] = static_cast<std::uint8_t>((wValue >> 8) & 0xFF);
}
