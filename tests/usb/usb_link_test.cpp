// The device link through the real libusb backend, against the printer
// emulated as a USB device (umockdev). Every test plugs in its own printer
// and unplugs it at the end; libusb hears of both through uevents.
#include <gtest/gtest.h>
#include <libusb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "device/backend_libusb.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"
#include "tests/usb/test_bus.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Fault = TarnlowPrinter::Fault;

std::string Text(const std::uint8_t* bytes, int count) {
  return std::string(reinterpret_cast<const char*>(bytes), std::size_t(count));
}

class UsbLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDeviceBackend(LibusbBackend());
    SetLibusbTransferTimeout(2000);
    printer_.LoadDemoState();
    device_ = TestBus().PlugIn(&printer_);
    ASSERT_GE(device_, 0);
    ASSERT_TRUE(WaitForPrinters(1));
    ConfigurePrinterLink();
  }

  void TearDown() override {
    CloseDeviceLink();
    TestBus().Unplug(device_);
    EXPECT_TRUE(WaitForPrinters(0));
  }

  TarnlowPrinter printer_;
  int device_ = -1;
};

TEST_F(UsbLinkTest, OpensAndClosesWithoutTalkingToThePrinter) {
  ASSERT_EQ(OpenDeviceLink(), 1);
  const DeviceLink* link = GetDeviceLink();
  EXPECT_NE(link->hPipeA, kInvalidDeviceHandle);
  EXPECT_NE(link->hPipeB, kInvalidDeviceHandle);
  EXPECT_STREQ(link->deviceId, kPrinterHardwareId);
  EXPECT_EQ(OpenDeviceLink(), 1);  // opening again while open

  EXPECT_EQ(CloseDeviceLink(), 1);
  EXPECT_EQ(link->hPipeA, kInvalidDeviceHandle);
  EXPECT_EQ(link->hPipeB, kInvalidDeviceHandle);
  std::uint8_t reply[4] = {};
  EXPECT_EQ(SendVendorRequest(20, 0, 4, reply), 0);  // closed link

  // Releasing the backend ends its libusb session and closes an open link;
  // the next opening starts a new session.
  ASSERT_EQ(OpenDeviceLink(), 1);
  ReleaseDeviceBackend();
  EXPECT_EQ(link->hPipeA, kInvalidDeviceHandle);
  EXPECT_EQ(OpenDeviceLink(), 1);
  CloseDeviceLink();

  // Opening and closing send nothing to the device.
  EXPECT_TRUE(TestBus().TakeControlSetups(device_).empty());
  EXPECT_TRUE(printer_.TakeReceived().empty());
}

TEST_F(UsbLinkTest, PutsTheDriversControlSetupOnTheWire) {
  ASSERT_EQ(OpenDeviceLink(), 1);
  std::uint8_t reply[4] = {};
  ASSERT_EQ(SendVendorRequest(21, 0x0F00, 4, reply), 4);
  EXPECT_EQ(Text(reply, 3), std::string("OK\0", 3));
  EXPECT_EQ(SendVendorRequest(256 + 20, 0, 65536 + 4, reply), 4);  // low bits only

  std::vector<ControlSetup> wire = TestBus().TakeControlSetups(device_);
  ASSERT_EQ(wire.size(), 2u);
  EXPECT_EQ(wire[0].bmRequestType, 0xC1);
  EXPECT_EQ(wire[0].bRequest, 21);
  EXPECT_EQ(wire[0].wValue, 0x000F);  // byte-swapped, as the driver sends it
  EXPECT_EQ(wire[0].wIndex, 0);
  EXPECT_EQ(wire[0].wLength, 4);
  EXPECT_EQ(wire[1].bRequest, 20);
  EXPECT_EQ(wire[1].wLength, 4);
  EXPECT_EQ(printer_.Value(20), 15);  // the printer took the setting 15
}

TEST_F(UsbLinkTest, PassesFailuresAndOddRepliesToTheCaller) {
  ASSERT_EQ(OpenDeviceLink(), 1);

  // A failed transfer writes nothing into the buffer.
  printer_.SetFault(20, {Fault::FailTransfer, 0, {}});
  std::uint8_t marked[4] = {0xA5, 0xA5, 0xA5, 0xA5};
  EXPECT_EQ(SendVendorRequest(20, 0, 4, marked), 0);
  EXPECT_EQ(Text(marked, 4), std::string(4, '\xA5'));

  printer_.SetValue(22, 0x01020304);
  printer_.SetFault(22, {Fault::ShortReply, 2, {}});
  std::uint8_t shortReply[4] = {};
  EXPECT_EQ(SendVendorRequest(22, 0, 4, shortReply), 2);
  EXPECT_EQ(Text(shortReply, 4), std::string("\x04\x03\0\0", 4));

  std::vector<std::uint8_t> raw(1024, 'R');
  printer_.SetFault(9, {Fault::RawReply, 0, raw});
  std::array<std::uint8_t, 1024> text{};
  EXPECT_EQ(SendVendorRequest(9, 0, 1024, text.data()), 1024);
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), text.begin()));
}

// One unanswered request costs one time-out: until the link is opened
// again, the printer is taken as not answering and nothing more is sent.
TEST_F(UsbLinkTest, GivesUpOnAnUnansweredPrinterUntilTheLinkIsOpenedAgain) {
  ASSERT_EQ(OpenDeviceLink(), 1);
  SetLibusbTransferTimeout(300);
  printer_.SetFault(20, {Fault::NeverAnswer, 0, {}});

  std::uint8_t reply[4] = {};
  auto start = Clock::now();
  EXPECT_EQ(SendVendorRequest(20, 0, 4, reply), 0);
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, 250ms);
  EXPECT_LT(waited, 2s);
  EXPECT_EQ(Text(reply, 4), std::string(4, '\0'));
  EXPECT_EQ(printer_.TakeReceived().size(), 1u);

  printer_.ClearFault(20);
  printer_.SetValue(22, 6);
  std::int32_t value = 0;
  EXPECT_EQ(SendVendorRequest(22, 0, 4, &value), 0) << "the same opening of the link";
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(printer_.TakeReceived().empty());
  EXPECT_EQ(TestBus().TakeControlSetups(device_).size(), 1u) << "only the one that timed out";

  ASSERT_EQ(OpenDeviceLink(), 1);
  EXPECT_EQ(SendVendorRequest(22, 0, 4, &value), 4);
  EXPECT_EQ(value, 6);
}

TEST_F(UsbLinkTest, FailsOnceThePrinterIsUnplugged) {
  ASSERT_EQ(OpenDeviceLink(), 1);

  // A transfer in flight ends when the printer goes, not at its time-out.
  SetLibusbTransferTimeout(5000);
  printer_.SetFault(24, {Fault::NeverAnswer, 0, {}});
  auto inFlight = std::async(std::launch::async, [] {
    std::uint8_t reply[4] = {};
    const auto start = Clock::now();
    int count = SendVendorRequest(24, 0, 4, reply);
    return std::make_pair(count, Clock::now() - start);
  });
  for (auto end = Clock::now() + 2s; printer_.TakeReceived().empty() && Clock::now() < end;)
    std::this_thread::sleep_for(5ms);
  TestBus().Unplug(device_);
  ASSERT_EQ(inFlight.wait_for(3s), std::future_status::ready);
  auto [count, waited] = inFlight.get();
  EXPECT_EQ(count, 0);
  EXPECT_LT(waited, 2s);

  std::uint8_t reply[4] = {};
  EXPECT_EQ(SendVendorRequest(20, 0, 4, reply), 0);  // the link is still "open"
  ASSERT_TRUE(WaitForPrinters(0));
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_EQ(GetDeviceLink()->hPipeA, kInvalidDeviceHandle);
}

// Devices that are not the Tarnlow, or not a printer, are left alone.
TEST(UsbOtherDevicesTest, AreNotOpened) {
  UseDeviceBackend(LibusbBackend());
  TarnlowPrinter model;
  const int devices[] = {
      TestBus().PlugIn(&model, {kPrinterVendorId, 0x7A72, 7}),
      TestBus().PlugIn(&model, {0x04F9, kPrinterProductId, 7}),
      TestBus().PlugIn(&model, {kPrinterVendorId, kPrinterProductId, 0xFF}),
  };
  ASSERT_TRUE(WaitForPrinters(2));  // the last one has no printer interface

  // libusb itself sees all three.
  libusb_context* context = nullptr;
  ASSERT_EQ(libusb_init(&context), 0);
  libusb_device** list = nullptr;
  EXPECT_EQ(libusb_get_device_list(context, &list), 3);
  libusb_free_device_list(list, 1);
  libusb_exit(context);

  ConfigurePrinterLink();
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_EQ(GetDeviceLink()->hPipeA, kInvalidDeviceHandle);
  EXPECT_TRUE(model.TakeReceived().empty());

  for (int device : devices) TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
