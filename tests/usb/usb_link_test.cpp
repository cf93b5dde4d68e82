// The device link through the real libusb backend, against the printer
// emulated as a USB device (umockdev). Every test plugs in its own printer
// and unplugs it at the end; libusb hears of both through uevents.
#include <gtest/gtest.h>
#include <libusb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <future>
#include <optional>
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
    SetLibusbTransferTimeout(2000);
    printer_.LoadDemoState();
    device_ = TestBus().PlugIn(&printer_);
    ASSERT_GE(device_, 0);
    ASSERT_TRUE(WaitForPrinters(1));
  }

  void TearDown() override {
    link_.Close();
    TestBus().Unplug(device_);
    EXPECT_TRUE(WaitForPrinters(0));
  }

  // The request's failure kind; nothing when it succeeded.
  std::optional<LinkErrorKind> Failure(int code, int wValue, int length, void* buffer) {
    const LinkReply reply = link_.Request(code, wValue, length, buffer);
    if (reply) return std::nullopt;
    return reply.error->kind;
  }

  TarnlowPrinter printer_;
  int device_ = -1;
  DeviceLink link_{LibusbBackend()};
};

TEST_F(UsbLinkTest, OpensAndClosesWithoutTalkingToThePrinter) {
  ASSERT_EQ(OpenDeviceLink(link_), 1);
  EXPECT_TRUE(link_.IsOpen());
  EXPECT_EQ(OpenDeviceLink(link_), 1);  // opening again while open

  EXPECT_EQ(CloseDeviceLink(link_), 1);
  EXPECT_FALSE(link_.IsOpen());
  std::uint8_t reply[4] = {};
  EXPECT_EQ(SendVendorRequest(link_, 20, 0, 4, reply), 0);  // closed link
  EXPECT_EQ(Failure(20, 0, 4, reply), LinkErrorKind::NoDevice);

  // Two links to one printer at once, each with its own handles; the
  // backend's session ends once none is open, and the next opening starts
  // a new one.
  DeviceLink other(LibusbBackend());
  ASSERT_TRUE(link_.Open());
  ASSERT_TRUE(other.Open());
  link_.Close();
  other.Close();
  ReleaseDeviceBackend(LibusbBackend());
  EXPECT_EQ(OpenDeviceLink(link_), 1);
  CloseDeviceLink(link_);

  // The printer the command line lists opens again only while it is the
  // same one: its vendor and product ID, and the serial number it had.
  const auto present = ListPresentPrinters(LibusbBackend());
  ASSERT_TRUE(present && present->size() == 1u);
  EXPECT_TRUE(link_.OpenTo(present->front()));
  PresentPrinter renamed = present->front();
  renamed.serial = "not-" + renamed.serial;
  EXPECT_FALSE(link_.OpenTo(renamed));
  EXPECT_EQ(link_.OpenError().kind, LinkErrorKind::NoDevice);
  EXPECT_EQ(link_.OpenError().step, LinkStep::Open);
  EXPECT_NE(link_.OpenError().osText.find("is no longer"), std::string::npos);

  // Opening and closing send nothing to the device.
  EXPECT_TRUE(TestBus().TakeControlSetups(device_).empty());
  EXPECT_TRUE(printer_.TakeReceived().empty());
}

TEST_F(UsbLinkTest, PutsTheDriversControlSetupOnTheWire) {
  ASSERT_EQ(OpenDeviceLink(link_), 1);
  std::uint8_t reply[4] = {};
  ASSERT_EQ(SendVendorRequest(link_, 21, 0x0F00, 4, reply), 4);
  EXPECT_EQ(Text(reply, 3), std::string("OK\0", 3));
  EXPECT_EQ(SendVendorRequest(link_, 256 + 20, 0, 65536 + 4, reply), 4);  // low bits only

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
  ASSERT_EQ(OpenDeviceLink(link_), 1);

  // A failed transfer (the printer stalls it) writes nothing into the
  // buffer, and says so in the library's words.
  printer_.SetFault(20, {Fault::FailTransfer, 0, {}});
  std::uint8_t marked[4] = {0xA5, 0xA5, 0xA5, 0xA5};
  const LinkReply refused = link_.Request(20, 0, 4, marked);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error->kind, LinkErrorKind::Refused);
  EXPECT_EQ(refused.error->request, 20);
  EXPECT_EQ(refused.error->osCode, LIBUSB_ERROR_PIPE);
  EXPECT_EQ(LinkErrorText(*refused.error),
            "the printer refused request 20 (LIBUSB_ERROR_PIPE: Pipe error)");
  EXPECT_EQ(Text(marked, 4), std::string(4, '\xA5'));

  // The transport passes a short reply on; a value read refuses it.
  printer_.SetValue(22, 0x01020304);
  printer_.SetFault(22, {Fault::ShortReply, 2, {}});
  std::uint8_t shortReply[4] = {};
  EXPECT_EQ(SendVendorRequest(link_, 22, 0, 4, shortReply), 2);
  EXPECT_EQ(Text(shortReply, 4), std::string("\x04\x03\0\0", 4));

  std::vector<std::uint8_t> raw(1024, 'R');
  printer_.SetFault(9, {Fault::RawReply, 0, raw});
  std::array<std::uint8_t, 1024> text{};
  EXPECT_EQ(SendVendorRequest(link_, 9, 0, 1024, text.data()), 1024);
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), text.begin()));
}

// One unanswered request costs one time-out: until the link is opened
// again, the printer is taken as not answering and nothing more is sent.
TEST_F(UsbLinkTest, GivesUpOnAnUnansweredPrinterUntilTheLinkIsOpenedAgain) {
  ASSERT_EQ(OpenDeviceLink(link_), 1);
  SetLibusbTransferTimeout(300);
  printer_.SetFault(20, {Fault::NeverAnswer, 0, {}});

  std::uint8_t reply[4] = {};
  auto start = Clock::now();
  EXPECT_EQ(Failure(20, 0, 4, reply), LinkErrorKind::TimedOut);
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, 250ms);
  EXPECT_LT(waited, 2s);
  EXPECT_EQ(Text(reply, 4), std::string(4, '\0'));
  EXPECT_EQ(printer_.TakeReceived().size(), 1u);

  printer_.ClearFault(20);
  printer_.SetValue(22, 6);
  std::int32_t value = 0;
  EXPECT_EQ(Failure(22, 0, 4, &value), LinkErrorKind::TimedOut) << "the same opening of the link";
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(printer_.TakeReceived().empty());
  EXPECT_EQ(TestBus().TakeControlSetups(device_).size(), 1u) << "only the one that timed out";

  ASSERT_EQ(OpenDeviceLink(link_), 1);
  EXPECT_EQ(SendVendorRequest(link_, 22, 0, 4, &value), 4);
  EXPECT_EQ(value, 6);
}

TEST_F(UsbLinkTest, FailsOnceThePrinterIsUnplugged) {
  ASSERT_EQ(OpenDeviceLink(link_), 1);

  // A transfer in flight ends when the printer goes, not at its time-out.
  SetLibusbTransferTimeout(5000);
  printer_.SetFault(24, {Fault::NeverAnswer, 0, {}});
  auto inFlight = std::async(std::launch::async, [this] {
    std::uint8_t reply[4] = {};
    const auto start = Clock::now();
    int count = SendVendorRequest(link_, 24, 0, 4, reply);
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
  EXPECT_EQ(Failure(20, 0, 4, reply), LinkErrorKind::NoDevice);  // the link is still "open"
  ASSERT_TRUE(WaitForPrinters(0));
  EXPECT_EQ(OpenDeviceLink(link_), 0);
  EXPECT_FALSE(link_.IsOpen());
  EXPECT_EQ(link_.OpenError().kind, LinkErrorKind::NoDevice);
  EXPECT_EQ(LinkErrorText(link_.OpenError()), "no printer found");
}

// Devices that are not the Tarnlow, or not a printer, are left alone.
TEST(UsbOtherDevicesTest, AreNotOpened) {
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

  DeviceLink link(LibusbBackend());
  EXPECT_EQ(OpenDeviceLink(link), 0);
  EXPECT_FALSE(link.IsOpen());

  // Nor by the key of a printer found before: opening checks the IDs of
  // what is there now.
  std::vector<PresentPrinter> any;
  ASSERT_TRUE(LibusbBackend().listPrinters(
      LibusbBackend().context, [](const std::vector<std::string>&) { return true; }, any));
  ASSERT_EQ(any.size(), 2u);
  for (const PresentPrinter& printer : any) {
    EXPECT_FALSE(link.OpenTo(printer)) << printer.location;
    EXPECT_EQ(link.OpenError().kind, LinkErrorKind::NoDevice);
  }
  EXPECT_TRUE(model.TakeReceived().empty());

  for (int device : devices) TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
