#include "printer/configuration_read.h"

#include "device/request_catalogue.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"

void ReadConfigurationPages(DeviceLink& link, PrinterState& state,
                            const std::function<void(const InfoPageRead&)>& pageFailed) {
  AllocatePageBlocks(state);
  AllocateCounterBlocks(state);
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page) {
    const InfoPageRead read = ReadInfoPage(link, state, page);
    if (read.Failed()) pageFailed(read);
  }
  ReadCounterRecords(link, state);
}

ReadFailure ReadEnergySaveSwitch(DeviceLink& link, PrinterState& state) {
  return ReadPrinterValue(link, REQ_READ_ENERGY_SAVE, state.energySave);
}
