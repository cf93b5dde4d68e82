#include "printer/config_pages.h"

#include "string_ids.h"

const int kConfigPageTitles[kConfigPageCount] = {
    kTextSuppliesTab, kTextCoverageTab, kTextCounterTab,    kTextPaperTab,
    kTextMachineTab,  kTextFirmwareTab, kTextAdjustmentTab,
};
