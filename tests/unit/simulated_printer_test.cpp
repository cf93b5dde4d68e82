// The simulated printer, reached in-process through the device seam as the
// program reaches it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"

namespace {

class SimulatedPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printer.LoadDemoState();
    UseDeviceBackend(SimulatedPrinterBackend(printer));
    ConfigurePrinterLink();
    ASSERT_EQ(OpenDeviceLink(), 1);
  }
  void TearDown() override {
    CloseDeviceLink();
    EXPECT_EQ(SimulatedOpenHandles(), 0);
    EXPECT_TRUE(printer.UnknownCodes().empty());
  }

  std::string ReadText(int code, int wValue) {
    char buffer[1024] = {};
    int n = SendVendorRequest(code, wValue, 1024, buffer);
    return std::string(buffer, n);
  }
  int ReadValue(int code) {
    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(code, 0, 4, reply), 4) << code;
    return ReplyValue(reply);
  }
  bool Command(int code, int wValue) {
    std::uint8_t reply[4] = {};
    SendVendorRequest(code, wValue, 4, reply);
    return IsAcknowledgement(reply);
  }
  static std::string Line(const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
  }

  TarnlowPrinter printer;
};

TEST_F(SimulatedPrinterTest, AnswersStatusPagesAndValues) {
  printer.SetStatusCodes({"302008", "200001"});
  EXPECT_EQ(ReadText(REQ_READ_PANEL_STATUS, 0), "STATUS=302008,200001\r\n");

  std::string page1 = ReadText(REQ_READ_INFO_PAGE, PackInfoPage(1));
  EXPECT_EQ(page1.rfind("@PJL INFO CONFIGTONER\r\n", 0), 0u);
  EXPECT_NE(page1.find(Line("CONSUMETCREMAINK", "45")), std::string::npos);
  EXPECT_EQ(ReadText(REQ_READ_INFO_PAGE, PackInfoPage(2)).rfind("@PJL INFO CONFIGCOUNT\r\n", 0), 0u);
  EXPECT_EQ(ReadText(REQ_READ_INFO_PAGE, PackInfoPage(3)).rfind("@PJL INFO CONFIGMACHINE\r\n", 0), 0u);
  EXPECT_EQ(ReadText(REQ_READ_INFO_PAGE, PackInfoPage(4)).rfind("ADJTOPPLAIN=15\r\n", 0), 0u);

  printer.SetValue(REQ_READ_JAM_COUNTER, -2);
  EXPECT_EQ(ReadValue(REQ_READ_JAM_COUNTER), -2);
  EXPECT_EQ(ReadValue(REQ_READ_REPLACEMENT_COUNT + 13), printer.Value(68));
  EXPECT_TRUE(Command(REQ_START_CALIBRATION, 0));

  std::uint8_t reply[4] = {};
  EXPECT_EQ(SendVendorRequest(REQ_IMAGE_REFRESH, 0, 4, reply), 0) << "never answered with data";

  auto received = printer.TakeReceived();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received[1].code, REQ_READ_INFO_PAGE);
  EXPECT_EQ(received[1].wValue, 256) << "the program's wValue is recovered from the wire";
  EXPECT_EQ(received[1].length, 1024);
}

TEST_F(SimulatedPrinterTest, WritesShowOnTheNextRead) {
  EXPECT_TRUE(Command(REQ_WRITE_TOP_ADJ_PLAIN, PackTopLeft(-5)));
  EXPECT_TRUE(Command(REQ_WRITE_TRANSFER_LABELS, PackTransfer(7)));
  EXPECT_TRUE(Command(REQ_WRITE_IMAGE_ADJ_PARAM, PackPlain(3)));
  std::string page4 = ReadText(REQ_READ_INFO_PAGE, PackInfoPage(4));
  EXPECT_NE(page4.find(Line("ADJTOPPLAIN", "10")), std::string::npos);
  EXPECT_NE(page4.find(Line("ADJTRANSLABEL", "15")), std::string::npos);
  EXPECT_NE(page4.find(Line("ADJIMAGE", "3")), std::string::npos);

  EXPECT_TRUE(Command(REQ_WRITE_GDI_TIMEOUT, PackPlain(2)));
  EXPECT_TRUE(Command(REQ_WRITE_FLICKER, PackPlain(1)));
  EXPECT_TRUE(Command(REQ_WRITE_TEMP_ENVELOPE, *PackTemperature(1)));
  EXPECT_EQ(ReadValue(REQ_READ_GDI_TIMEOUT), 2);
  EXPECT_EQ(ReadValue(REQ_READ_FLICKER), 1);
  EXPECT_EQ(ReadValue(REQ_READ_TEMP_ENVELOPE), 1);

  EXPECT_TRUE(Command(REQ_SET_TONER_LOW_MESSAGE, 0));
  EXPECT_TRUE(Command(REQ_SET_ENERGY_SAVE_TIME, PackPlain(60)));
  EXPECT_TRUE(Command(REQ_SET_AUTO_CONTINUE, 256));
  EXPECT_TRUE(Command(REQ_SET_TONER_OUT_STOP, 0));
  EXPECT_NE(ReadText(REQ_READ_INFO_PAGE, 256).find(Line("TONERLOWMSG", "0")), std::string::npos);
  std::string page3 = ReadText(REQ_READ_INFO_PAGE, 768);
  EXPECT_NE(page3.find(Line("MACHINEENERGYSAVE", "60")), std::string::npos);
  EXPECT_NE(page3.find(Line("MACHINEAUTOCONTO", "ON")), std::string::npos);
  EXPECT_NE(page3.find(Line("MACHINETONEREMPTY", "OFF")), std::string::npos);

  ASSERT_NE(ReadValue(REQ_READ_FUSER_COUNTER), 0);
  EXPECT_TRUE(Command(REQ_RESET_FUSER_UNIT, 0));
  EXPECT_TRUE(Command(REQ_RESET_TRANSFER_ROLLER, 0));
  EXPECT_EQ(ReadValue(REQ_READ_FUSER_COUNTER), 0);
  EXPECT_EQ(ReadValue(REQ_READ_ROLLER_COUNTER), 0);
}

TEST_F(SimulatedPrinterTest, InjectedFaults) {
  using Fault = TarnlowPrinter::Fault;
  printer.SetFault(REQ_START_CALIBRATION, {Fault::Refuse, 0, {}});
  EXPECT_FALSE(Command(REQ_START_CALIBRATION, 0));

  printer.SetFault(REQ_READ_GDI_TIMEOUT, {Fault::FailTransfer, 0, {}});
  std::uint8_t reply[4] = {};
  EXPECT_EQ(SendVendorRequest(REQ_READ_GDI_TIMEOUT, 0, 4, reply), 0);

  printer.SetFault(REQ_READ_FLICKER, {Fault::ShortReply, 1, {}});
  EXPECT_EQ(SendVendorRequest(REQ_READ_FLICKER, 0, 4, reply), 1);

  printer.SetFault(REQ_READ_PANEL_STATUS, {Fault::RawReply, 0, std::vector<std::uint8_t>(1024, '7')});
  EXPECT_EQ(ReadText(REQ_READ_PANEL_STATUS, 0), std::string(1024, '7'));

  printer.SetFault(REQ_READ_MACHINE_KIND, {Fault::NeverAnswer, 0, {}});
  EXPECT_EQ(SendVendorRequest(REQ_READ_MACHINE_KIND, 0, 4, reply), 0) << "fails as a time-out";

  printer.SetFault(REQ_SET_TONER_OUT_STOP, {Fault::Refuse, 0, {}});
  EXPECT_FALSE(Command(REQ_SET_TONER_OUT_STOP, 0));
  EXPECT_EQ(printer.PageValue("MACHINETONEREMPTY"), "ON") << "a refused write changes nothing";

  printer.ClearFaults();
  printer.SetValue(REQ_READ_MACHINE_KIND, 2);
  EXPECT_EQ(ReadValue(REQ_READ_MACHINE_KIND), 2);
}

TEST_F(SimulatedPrinterTest, UnpluggingFailsRequestsAndOpens) {
  printer.SetPlugged(false);
  std::uint8_t reply[4] = {};
  EXPECT_EQ(SendVendorRequest(REQ_READ_JAM_COUNTER, 0, 4, reply), 0);
  EXPECT_EQ(OpenDeviceLink(), 0);
  printer.SetPlugged(true);
  EXPECT_EQ(OpenDeviceLink(), 1);
}

TEST_F(SimulatedPrinterTest, RefusesWhatIsNotAVendorRequestToItsInterface) {
  TarnlowPrinter other;
  ControlSetup setup{0xC1, REQ_READ_GDI_TIMEOUT, 0, 1, 4};
  EXPECT_EQ(other.Handle(setup).kind, TarnlowPrinter::Answer::Stall);
  setup = {0xC0, REQ_READ_GDI_TIMEOUT, 0, 0, 4};
  EXPECT_EQ(other.Handle(setup).kind, TarnlowPrinter::Answer::Stall);
  setup = {0xC1, 31, 0, 0, 4};
  EXPECT_EQ(other.Handle(setup).kind, TarnlowPrinter::Answer::Stall);
  EXPECT_EQ(other.UnknownCodes(), std::vector<int>{31});
}

}  // namespace
