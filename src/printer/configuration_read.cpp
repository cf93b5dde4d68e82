#include "printer/configuration_read.h"

#include <cstdint>

#include "common/string_ids.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"

void ReadConfigurationPages(MessageOwner& owner, AppContext& ctx) {
  AllocatePageBlocks(ctx);
  AllocateCounterBlocks(ctx);
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page)
    ReadInfoPage(owner, ctx, page);
  ReadCounterRecords(ctx);
}

void ReadEnergySaveSwitch(MessageOwner& owner, AppContext& ctx) {
  std::uint8_t reply[kValueReplySize] = {};
  if (SendVendorRequest(REQ_READ_ENERGY_SAVE, 0, kValueReplySize, reply) == 0)
    owner.ShowMessage(kTextSendFailed);
  else
    ctx.energySave = ReplyValue(reply);
}
