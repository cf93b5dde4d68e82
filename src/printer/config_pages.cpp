#include "printer/config_pages.h"

#include "layouts/dialog_template.h"
#include "string_ids.h"

const int kConfigPageTemplates[kConfigPageCount] = {
    kConfigSuppliesTemplate,   kConfigCoverageTemplate, kConfigCounterTemplate,
    kConfigPaperTemplate,      kConfigMachineTemplate,  kConfigFirmwareTemplate,
    kConfigAdjustmentTemplate,
};

const int kConfigPageTitles[kConfigPageCount] = {
    kTextSuppliesTab, kTextCoverageTab, kTextCounterTab,    kTextPaperTab,
    kTextMachineTab,  kTextFirmwareTab, kTextAdjustmentTab,
};
