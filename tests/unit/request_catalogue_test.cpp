#include <gtest/gtest.h>

#include <set>

#include "device/control_setup.h"
#include "device/request_catalogue.h"

TEST(RequestCatalogue, HoldsEveryCodeOnceWithItsFamilyAndLength) {
  std::set<int> codes;
  for (const RequestInfo& r : RequestCatalogue()) {
    EXPECT_TRUE(codes.insert(r.code).second) << r.name;
    EXPECT_EQ(r.length, r.family == RequestFamily::TextRead ? 1024 : 4) << r.name;
  }
  // 49 rows; the two counter-record ranges are one row each.
  EXPECT_EQ(codes.size(), 49u);
  for (int code : {31, 38, 79, 86, 0, 8, 10, 256 + 9}) EXPECT_EQ(FindRequest(code), nullptr) << code;
  for (int code = 55; code <= 68; ++code)
    EXPECT_STREQ(FindRequest(code)->name, "REQ_READ_REPLACEMENT_COUNT");
  for (int code = 69; code <= 78; ++code)
    EXPECT_STREQ(FindRequest(code)->name, "REQ_READ_APPLICATION_COUNT");
  EXPECT_EQ(FindRequest(REQ_IMAGE_REFRESH)->family, RequestFamily::Unanswered);
  EXPECT_EQ(FindRequest(REQ_WRITE_TEMP_THICK)->packing, Packing::Temperature);
  EXPECT_EQ(FindRequest(REQ_WRITE_LEFT_ADJ_TRAY1)->packing, Packing::TopLeft);
  EXPECT_EQ(FindRequest(REQ_WRITE_TRANSFER_LABELS)->packing, Packing::Transfer);
}

TEST(RequestCatalogue, PacksSettingsIntoTheHighByte) {
  EXPECT_EQ(PackPlain(256), 0);
  EXPECT_EQ(PackPlain(255), 0xFF00);
  EXPECT_EQ(PackPlain(30), 7680);
  EXPECT_EQ(PackPlain(-1), 0xFF00);
  EXPECT_EQ(PackTopLeft(-15), 0);
  EXPECT_EQ(PackTopLeft(0), 0x0F00);
  EXPECT_EQ(PackTopLeft(15), 0x1E00);
  EXPECT_EQ(PackTopLeft(25), 40 * 256) << "an out-of-range value is sent as it is";
  EXPECT_EQ(PackTransfer(-8), 0);
  EXPECT_EQ(PackTransfer(7), 0x0F00);
  EXPECT_EQ(PackInfoPage(4), 1024);
  EXPECT_EQ(PackTemperature(0), 0);
  EXPECT_EQ(PackTemperature(1), 256);
  EXPECT_EQ(PackTemperature(2), 512);
  EXPECT_FALSE(PackTemperature(3).has_value());
  EXPECT_FALSE(PackTemperature(-1).has_value());
}

TEST(RequestCatalogue, JudgesReplies) {
  const std::uint8_t ok[4] = {'O', 'K', 0, 'x'};
  const std::uint8_t okX[4] = {'O', 'K', 'X', 0};
  const std::uint8_t lower[4] = {'o', 'k', 0, 0};
  const std::uint8_t zeros[4] = {};
  EXPECT_TRUE(IsAcknowledgement(ok));
  EXPECT_FALSE(IsAcknowledgement(okX));
  EXPECT_FALSE(IsAcknowledgement(lower));
  EXPECT_FALSE(IsAcknowledgement(zeros));

  const std::uint8_t minusOne[4] = {255, 255, 255, 255};
  const std::uint8_t value[4] = {0x78, 0x56, 0x34, 0x12};
  const std::uint8_t shortReply[4] = {7, 0, 0, 0};
  EXPECT_EQ(ReplyValue(minusOne), -1);
  EXPECT_EQ(ReplyValue(value), 0x12345678);
  EXPECT_EQ(ReplyValue(shortReply), 7);
}

TEST(ControlSetup, PutsWhatThePrintSupportDriverWouldOnTheWire) {
  std::uint8_t input[3];
  PrintSupportInput(13, 0x0F00, input);
  EXPECT_EQ(input[0], 13);
  EXPECT_EQ(input[1], 0x00);
  EXPECT_EQ(input[2], 0x0F);

  ControlSetup setup = ControlSetupFromPrintSupportInput(input, 2, 1024);
  EXPECT_EQ(setup.bmRequestType, 0xC1);
  EXPECT_EQ(setup.bRequest, 13);
  EXPECT_EQ(setup.wValue, 0x000F) << "byte 1 is the most significant byte";
  EXPECT_EQ(setup.wIndex, 2);
  EXPECT_EQ(setup.wLength, 1024);

  PrintSupportInput(0x109, 0x12345, input);
  setup = ControlSetupFromPrintSupportInput(input, 0, 4);
  EXPECT_EQ(setup.bRequest, 9);
  EXPECT_EQ(setup.wValue, 0x4523);
}
