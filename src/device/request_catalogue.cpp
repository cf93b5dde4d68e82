#include "device/request_catalogue.h"

#include <algorithm>
#include <array>

namespace {

using F = RequestFamily;
using P = Packing;

constexpr std::array kCatalogue = std::to_array<RequestInfo>({
    {9, "REQ_READ_PANEL_STATUS", F::TextRead, kTextReplySize, P::None},
    {13, "REQ_READ_INFO_PAGE", F::TextRead, kTextReplySize, P::PageNumber},
    {14, "REQ_TONER_OPERATION", F::AckCommand, 4, P::Plain},
    {15, "REQ_SET_TONER_OUT_STOP", F::AckCommand, 4, P::Plain},
    {16, "REQ_SET_ENERGY_SAVE_TIME", F::AckCommand, 4, P::Plain},
    {17, "REQ_SET_AUTO_CONTINUE", F::AckCommand, 4, P::Plain},
    {18, "REQ_START_CALIBRATION", F::AckCommand, 4, P::None},
    {19, "REQ_SET_TONER_LOW_MESSAGE", F::AckCommand, 4, P::Plain},
    {20, "REQ_READ_GDI_TIMEOUT", F::ValueRead, 4, P::None},
    {21, "REQ_WRITE_GDI_TIMEOUT", F::AckCommand, 4, P::Plain},
    {22, "REQ_READ_ENERGY_SAVE", F::ValueRead, 4, P::None},
    {23, "REQ_WRITE_ENERGY_SAVE", F::AckCommand, 4, P::Plain},
    {24, "REQ_READ_FLICKER", F::ValueRead, 4, P::None},
    {25, "REQ_WRITE_FLICKER", F::AckCommand, 4, P::Plain},
    {26, "REQ_WRITE_IMAGE_ADJ_PARAM", F::AckCommand, 4, P::Plain},
    {27, "REQ_WRITE_TOP_ADJ_PLAIN", F::AckCommand, 4, P::TopLeft},
    {28, "REQ_WRITE_TOP_ADJ_THICK", F::AckCommand, 4, P::TopLeft},
    {29, "REQ_WRITE_TOP_ADJ_ENVELOPE", F::AckCommand, 4, P::TopLeft},
    {30, "REQ_WRITE_LEFT_ADJ_TRAY1", F::AckCommand, 4, P::TopLeft},
    {32, "REQ_WRITE_TRANSFER_PLAIN", F::AckCommand, 4, P::Transfer},
    {33, "REQ_WRITE_TRANSFER_THICK1", F::AckCommand, 4, P::Transfer},
    {34, "REQ_WRITE_TRANSFER_THICK2", F::AckCommand, 4, P::Transfer},
    {35, "REQ_WRITE_TRANSFER_POSTCARD", F::AckCommand, 4, P::Transfer},
    {36, "REQ_WRITE_TRANSFER_ENVELOPE", F::AckCommand, 4, P::Transfer},
    {37, "REQ_WRITE_TRANSFER_LABELS", F::AckCommand, 4, P::Transfer},
    {39, "REQ_PRINT_TEST_PATTERN", F::AckCommand, 4, P::Plain},
    {40, "REQ_READ_TONER_LOW_WARNING", F::ValueRead, 4, P::None},
    {41, "REQ_WRITE_TONER_LOW_WARNING", F::AckCommand, 4, P::Plain},
    {42, "REQ_READ_IC_LOW_WARNING", F::ValueRead, 4, P::None},
    {43, "REQ_WRITE_IC_LOW_WARNING", F::AckCommand, 4, P::Plain},
    {44, "REQ_READ_TEMP_PLAIN", F::ValueRead, 4, P::None},
    {45, "REQ_WRITE_TEMP_PLAIN", F::AckCommand, 4, P::Temperature},
    {46, "REQ_READ_TEMP_THICK", F::ValueRead, 4, P::None},
    {47, "REQ_WRITE_TEMP_THICK", F::AckCommand, 4, P::Temperature},
    {48, "REQ_READ_TEMP_ENVELOPE", F::ValueRead, 4, P::None},
    {49, "REQ_WRITE_TEMP_ENVELOPE", F::AckCommand, 4, P::Temperature},
    {50, "REQ_RESET_TRANSFER_ROLLER", F::AckCommand, 4, P::None},
    {51, "REQ_RESET_FUSER_UNIT", F::AckCommand, 4, P::None},
    {52, "REQ_BK_CLEAR", F::AckCommand, 4, P::None},
    {53, "REQ_READ_JAM_COUNTER", F::ValueRead, 4, P::None},
    {54, "REQ_READ_TROUBLE_COUNTER", F::ValueRead, 4, P::None},
    {55, "REQ_READ_REPLACEMENT_COUNT", F::ValueRead, 4, P::None},
    {69, "REQ_READ_APPLICATION_COUNT", F::ValueRead, 4, P::None},
    {80, "REQ_READ_MACHINE_KIND", F::ValueRead, 4, P::None},
    {81, "REQ_READ_BELT_COUNTER", F::ValueRead, 4, P::None},
    {82, "REQ_READ_DRUM_COUNTER", F::ValueRead, 4, P::None},
    {83, "REQ_READ_ROLLER_COUNTER", F::ValueRead, 4, P::None},
    {84, "REQ_READ_FUSER_COUNTER", F::ValueRead, 4, P::None},
    {85, "REQ_IMAGE_REFRESH", F::Unanswered, 4, P::None},
});

std::uint16_t HighByte(int value) {
  return static_cast<std::uint16_t>((value & 0xFF) << 8);
}

}  // namespace

std::span<const RequestInfo> RequestCatalogue() { return kCatalogue; }

const RequestInfo* FindRequest(int code) {
  // The counter records are one row each for a range of codes.
  if (code > REQ_READ_REPLACEMENT_COUNT &&
      code < REQ_READ_REPLACEMENT_COUNT + kReplacementCountItems)
    code = REQ_READ_REPLACEMENT_COUNT;
  else if (code > REQ_READ_APPLICATION_COUNT &&
           code < REQ_READ_APPLICATION_COUNT + kApplicationCountItems)
    code = REQ_READ_APPLICATION_COUNT;
  auto it = std::find_if(kCatalogue.begin(), kCatalogue.end(),
                         [code](const RequestInfo& r) { return r.code == code; });
  return it == kCatalogue.end() ? nullptr : &*it;
}

std::uint16_t PackPlain(int value) { return HighByte(value); }
std::uint16_t PackTopLeft(int value) { return HighByte(value + kTopLeftBias); }
std::uint16_t PackTransfer(int value) { return HighByte(value + kTransferBias); }
std::uint16_t PackInfoPage(int page) { return HighByte(page); }

std::optional<std::uint16_t> PackTemperature(int value) {
  if (value < 0 || value > 2) return std::nullopt;
  return HighByte(value);
}

bool IsAcknowledgement(const std::uint8_t reply[4]) {
  return reply[0] == 'O' && reply[1] == 'K' && reply[2] == 0;
}

std::int32_t ReplyValue(const std::uint8_t reply[4]) {
  std::uint32_t v = std::uint32_t(reply[0]) | std::uint32_t(reply[1]) << 8 |
                    std::uint32_t(reply[2]) << 16 | std::uint32_t(reply[3]) << 24;
  return static_cast<std::int32_t>(v);
}
