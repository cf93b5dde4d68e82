#include "printer/configuration_read.h"

#include <cstdint>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"
#include "string_ids.h"

void ReadConfigurationPages(MessageOwner& owner, PrinterState& state) {
  AllocatePageBlocks(state);
  AllocateCounterBlocks(state);
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page)
    ReadInfoPage(owner, state, page);
  ReadCounterRecords(state);
}

void ReadEnergySaveSwitch(MessageOwner& owner, PrinterState& state) {
  if (!ReadPrinterValue(REQ_READ_ENERGY_SAVE, state.energySave)) owner.ShowMessage(kTextSendFailed);
}
