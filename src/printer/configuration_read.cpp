#include "printer/configuration_read.h"

#include <cstdint>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"
#include "string_ids.h"

void ReadConfigurationPages(MessageOwner& owner, AppContext& ctx) {
  AllocatePageBlocks(ctx);
  AllocateCounterBlocks(ctx);
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page)
    ReadInfoPage(owner, ctx, page);
  ReadCounterRecords(ctx);
}

void ReadEnergySaveSwitch(MessageOwner& owner, AppContext& ctx) {
  if (!ReadPrinterValue(REQ_READ_ENERGY_SAVE, ctx.energySave)) owner.ShowMessage(kTextSendFailed);
}
