// vantrel-export FILE: reads the printer's configuration over the device
// link and writes it as the configuration window's "Save" writes it, with no
// window: the same model, so the same bytes. The language comes from the
// locale (LC_ALL, LC_MESSAGES, LANG). What the window would show in a
// message box goes to the standard error; any of it makes the status 1.
#include <cstdio>

#include "common/language.h"
#include "common/message_owner.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "printer/configuration_export.h"
#include "printer/configuration_read.h"
#include "printer/printer_info.h"
#include "printer/printer_state.h"
#include "string_ids.h"

namespace {

class StandardError : public MessageOwner {
 public:
  void ShowMessage(int stringId) override {
    std::fprintf(stderr, "vantrel-export: %s\n", TextOrEmpty(stringId).c_str());
    told = true;
  }
  bool told = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrel-export FILE\n");
    return 2;
  }
  SetTextLanguage(LanguageForEnvironment());
  StandardError errors;
  const DeviceBackend& backend = PlatformDeviceBackend();
  bool written = false;
  {
    DeviceLink link(backend);
    if (!link.Open()) {
      errors.ShowMessage(kTextOpenUsbFailed);
      return 1;
    }
    PrinterState printer;
    ReadConfigurationPages(link, printer, [&errors](const InfoPageRead& failed) {
      errors.ShowMessage(failed.failure ? kTextSendFailed : kTextNotCompatible);
    });
    if (ReadEnergySaveSwitch(link, printer)) errors.ShowMessage(kTextSendFailed);
    written = WriteConfigurationFile(printer, argv[1]);
    ReleasePrinterInfo(printer);
  }
  ReleaseDeviceBackend(backend);
  if (!written) errors.ShowMessage(kTextExportFailed);
  return errors.told ? 1 : 0;
}
