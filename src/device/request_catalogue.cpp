#include "device/request_catalogue.h"

#include <algorithm>
#include <array>

namespace {

using F = RequestFamily;
using P = Packing;

#define VANTREL_REQUEST_ROW(name, code, family, length, packing) \
  {name, #name, F::family, length, P::packing},
constexpr std::array kCatalogue =
    std::to_array<RequestInfo>({VANTREL_REQUESTS(VANTREL_REQUEST_ROW)});
#undef VANTREL_REQUEST_ROW

// FindRequest takes the first row with a code: a code twice would hide a row.
constexpr bool CodesAscend() {
  for (std::size_t i = 1; i < kCatalogue.size(); ++i)
    if (kCatalogue[i - 1].code >= kCatalogue[i].code) return false;
  return true;
}
static_assert(CodesAscend());
static_assert(REQ_READ_REPLACEMENT_COUNT + kReplacementCountItems <= REQ_READ_APPLICATION_COUNT);
static_assert(REQ_READ_APPLICATION_COUNT + kApplicationCountItems <= REQ_READ_MACHINE_KIND);

std::uint16_t HighByte(int value) { return static_cast<std::uint16_t>((value & 0xFF) << 8); }

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
