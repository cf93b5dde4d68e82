// Every vendor request the program sends: code, name, family, reply length
// and how its wValue is packed. No other code is ever sent.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

enum RequestCode : int {
  REQ_READ_PANEL_STATUS = 9,
  REQ_READ_INFO_PAGE = 13,
  REQ_TONER_OPERATION = 14,
  REQ_SET_TONER_OUT_STOP = 15,
  REQ_SET_ENERGY_SAVE_TIME = 16,
  REQ_SET_AUTO_CONTINUE = 17,
  REQ_START_CALIBRATION = 18,
  REQ_SET_TONER_LOW_MESSAGE = 19,
  REQ_READ_GDI_TIMEOUT = 20,
  REQ_WRITE_GDI_TIMEOUT = 21,
  REQ_READ_ENERGY_SAVE = 22,
  REQ_WRITE_ENERGY_SAVE = 23,
  REQ_READ_FLICKER = 24,
  REQ_WRITE_FLICKER = 25,
  REQ_WRITE_IMAGE_ADJ_PARAM = 26,
  REQ_WRITE_TOP_ADJ_PLAIN = 27,
  REQ_WRITE_TOP_ADJ_THICK = 28,
  REQ_WRITE_TOP_ADJ_ENVELOPE = 29,
  REQ_WRITE_LEFT_ADJ_TRAY1 = 30,
  REQ_WRITE_TRANSFER_PLAIN = 32,
  REQ_WRITE_TRANSFER_THICK1 = 33,
  REQ_WRITE_TRANSFER_THICK2 = 34,
  REQ_WRITE_TRANSFER_POSTCARD = 35,
  REQ_WRITE_TRANSFER_ENVELOPE = 36,
  REQ_WRITE_TRANSFER_LABELS = 37,
  REQ_PRINT_TEST_PATTERN = 39,
  REQ_READ_TONER_LOW_WARNING = 40,
  REQ_WRITE_TONER_LOW_WARNING = 41,
  REQ_READ_IC_LOW_WARNING = 42,
  REQ_WRITE_IC_LOW_WARNING = 43,
  REQ_READ_TEMP_PLAIN = 44,
  REQ_WRITE_TEMP_PLAIN = 45,
  REQ_READ_TEMP_THICK = 46,
  REQ_WRITE_TEMP_THICK = 47,
  REQ_READ_TEMP_ENVELOPE = 48,
  REQ_WRITE_TEMP_ENVELOPE = 49,
  REQ_RESET_TRANSFER_ROLLER = 50,
  REQ_RESET_FUSER_UNIT = 51,
  REQ_BK_CLEAR = 52,
  REQ_READ_JAM_COUNTER = 53,
  REQ_READ_TROUBLE_COUNTER = 54,
  REQ_READ_REPLACEMENT_COUNT = 55,  // items 1 to 14: codes 55 to 68
  REQ_READ_APPLICATION_COUNT = 69,  // items 1 to 10: codes 69 to 78
  REQ_READ_MACHINE_KIND = 80,
  REQ_READ_BELT_COUNTER = 81,
  REQ_READ_DRUM_COUNTER = 82,
  REQ_READ_ROLLER_COUNTER = 83,
  REQ_READ_FUSER_COUNTER = 84,
  REQ_IMAGE_REFRESH = 85,
};

inline constexpr int kReplacementCountItems = 14;
inline constexpr int kApplicationCountItems = 10;

enum class RequestFamily { TextRead, ValueRead, AckCommand, Unanswered };

// How a request's argument becomes its wValue.
enum class Packing {
  None,         // wValue always 0
  PageNumber,   // page 1..4 in the high byte
  Plain,        // value in the high byte
  TopLeft,      // (value + 15) in the high byte
  Transfer,     // (value + 8) in the high byte
  Temperature,  // 0, 1, 2 only; anything else is not sent
};

struct RequestInfo {
  int code;
  const char* name;
  RequestFamily family;
  int length;
  Packing packing;
};

inline constexpr int kTextReplySize = 1024;
inline constexpr int kValueReplySize = 4;

// The whole catalogue, in code order (the counter-record ranges one row each).
std::span<const RequestInfo> RequestCatalogue();
// The row for a code (ranges included); nullptr for a code not in it.
const RequestInfo* FindRequest(int code);

// The fixed biases of the adjustment values: the printer keeps and reports
// value + bias.
inline constexpr int kTopLeftBias = 15;
inline constexpr int kTransferBias = 8;

// wValue packing. Only the low 8 bits of the (biased) value are sent.
std::uint16_t PackPlain(int value);
std::uint16_t PackTopLeft(int value);
std::uint16_t PackTransfer(int value);
// 0, 1, 2 give 0, 256, 512; any other value gives nothing (not sent).
std::optional<std::uint16_t> PackTemperature(int value);
std::uint16_t PackInfoPage(int page);

// Judging replies.
// An acknowledgement: the first three bytes are "O", "K", 0.
bool IsAcknowledgement(const std::uint8_t reply[4]);
// A value read: the 4 bytes as a signed little-endian integer.
std::int32_t ReplyValue(const std::uint8_t reply[4]);
