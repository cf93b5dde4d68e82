// Every vendor request the program sends: code, name, family, reply length
// and how its wValue is packed. No other code is ever sent.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

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

// The catalogue: name, code, family, reply length, packing; in code order.
#define VANTREL_REQUESTS(REQUEST)                                                                 \
  REQUEST(REQ_READ_PANEL_STATUS, 9, TextRead, kTextReplySize, None)                               \
  REQUEST(REQ_READ_INFO_PAGE, 13, TextRead, kTextReplySize, PageNumber)                           \
  REQUEST(REQ_TONER_OPERATION, 14, AckCommand, 4, Plain)                                          \
  REQUEST(REQ_SET_TONER_OUT_STOP, 15, AckCommand, 4, Plain)                                       \
  REQUEST(REQ_SET_ENERGY_SAVE_TIME, 16, AckCommand, 4, Plain)                                     \
  REQUEST(REQ_SET_AUTO_CONTINUE, 17, AckCommand, 4, Plain)                                        \
  REQUEST(REQ_START_CALIBRATION, 18, AckCommand, 4, None)                                         \
  REQUEST(REQ_SET_TONER_LOW_MESSAGE, 19, AckCommand, 4, Plain)                                    \
  REQUEST(REQ_READ_GDI_TIMEOUT, 20, ValueRead, 4, None)                                           \
  REQUEST(REQ_WRITE_GDI_TIMEOUT, 21, AckCommand, 4, Plain)                                        \
  REQUEST(REQ_READ_ENERGY_SAVE, 22, ValueRead, 4, None)                                           \
  REQUEST(REQ_WRITE_ENERGY_SAVE, 23, AckCommand, 4, Plain)                                        \
  REQUEST(REQ_READ_FLICKER, 24, ValueRead, 4, None)                                               \
  REQUEST(REQ_WRITE_FLICKER, 25, AckCommand, 4, Plain)                                            \
  REQUEST(REQ_WRITE_IMAGE_ADJ_PARAM, 26, AckCommand, 4, Plain)                                    \
  REQUEST(REQ_WRITE_TOP_ADJ_PLAIN, 27, AckCommand, 4, TopLeft)                                    \
  REQUEST(REQ_WRITE_TOP_ADJ_THICK, 28, AckCommand, 4, TopLeft)                                    \
  REQUEST(REQ_WRITE_TOP_ADJ_ENVELOPE, 29, AckCommand, 4, TopLeft)                                 \
  REQUEST(REQ_WRITE_LEFT_ADJ_TRAY1, 30, AckCommand, 4, TopLeft)                                   \
  REQUEST(REQ_WRITE_TRANSFER_PLAIN, 32, AckCommand, 4, Transfer)                                  \
  REQUEST(REQ_WRITE_TRANSFER_THICK1, 33, AckCommand, 4, Transfer)                                 \
  REQUEST(REQ_WRITE_TRANSFER_THICK2, 34, AckCommand, 4, Transfer)                                 \
  REQUEST(REQ_WRITE_TRANSFER_POSTCARD, 35, AckCommand, 4, Transfer)                               \
  REQUEST(REQ_WRITE_TRANSFER_ENVELOPE, 36, AckCommand, 4, Transfer)                               \
  REQUEST(REQ_WRITE_TRANSFER_LABELS, 37, AckCommand, 4, Transfer)                                 \
  REQUEST(REQ_PRINT_TEST_PATTERN, 39, AckCommand, 4, Plain)                                       \
  REQUEST(REQ_READ_TONER_LOW_WARNING, 40, ValueRead, 4, None)                                     \
  REQUEST(REQ_WRITE_TONER_LOW_WARNING, 41, AckCommand, 4, Plain)                                  \
  REQUEST(REQ_READ_IC_LOW_WARNING, 42, ValueRead, 4, None)                                        \
  REQUEST(REQ_WRITE_IC_LOW_WARNING, 43, AckCommand, 4, Plain)                                     \
  REQUEST(REQ_READ_TEMP_PLAIN, 44, ValueRead, 4, None)                                            \
  REQUEST(REQ_WRITE_TEMP_PLAIN, 45, AckCommand, 4, Temperature)                                   \
  REQUEST(REQ_READ_TEMP_THICK, 46, ValueRead, 4, None)                                            \
  REQUEST(REQ_WRITE_TEMP_THICK, 47, AckCommand, 4, Temperature)                                   \
  REQUEST(REQ_READ_TEMP_ENVELOPE, 48, ValueRead, 4, None)                                         \
  REQUEST(REQ_WRITE_TEMP_ENVELOPE, 49, AckCommand, 4, Temperature)                                \
  REQUEST(REQ_RESET_TRANSFER_ROLLER, 50, AckCommand, 4, None)                                     \
  REQUEST(REQ_RESET_FUSER_UNIT, 51, AckCommand, 4, None)                                          \
  REQUEST(REQ_BK_CLEAR, 52, AckCommand, 4, None)                                                  \
  REQUEST(REQ_READ_JAM_COUNTER, 53, ValueRead, 4, None)                                           \
  REQUEST(REQ_READ_TROUBLE_COUNTER, 54, ValueRead, 4, None)                                       \
  REQUEST(REQ_READ_REPLACEMENT_COUNT, 55, ValueRead, 4, None) /* items 1 to 14: codes 55 to 68 */ \
  REQUEST(REQ_READ_APPLICATION_COUNT, 69, ValueRead, 4, None) /* items 1 to 10: codes 69 to 78 */ \
  REQUEST(REQ_READ_MACHINE_KIND, 80, ValueRead, 4, None)                                          \
  REQUEST(REQ_READ_BELT_COUNTER, 81, ValueRead, 4, None)                                          \
  REQUEST(REQ_READ_DRUM_COUNTER, 82, ValueRead, 4, None)                                          \
  REQUEST(REQ_READ_ROLLER_COUNTER, 83, ValueRead, 4, None)                                        \
  REQUEST(REQ_READ_FUSER_COUNTER, 84, ValueRead, 4, None)                                         \
  REQUEST(REQ_IMAGE_REFRESH, 85, Unanswered, 4, None)

#define VANTREL_REQUEST_ENUMERATOR(name, code, family, length, packing) name = (code),
enum RequestCode : int { VANTREL_REQUESTS(VANTREL_REQUEST_ENUMERATOR) };
#undef VANTREL_REQUEST_ENUMERATOR

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
