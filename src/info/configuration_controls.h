// Where the configuration window shows the printer model's rows
// (printer/configuration_fields.h): the layout of each page, and the
// controls of each supply and each configuration row, one entry a row in
// the model's order. The model has the texts; these are only the places.
#pragma once

#include <iterator>

#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "printer/config_pages.h"
#include "printer/configuration_fields.h"
#include "printer/configuration_texts.h"

// The layout (template id) of each page, in ConfigPageIndex order.
inline constexpr int kConfigPageTemplates[kConfigPageCount] = {
    kConfigSuppliesTemplate,   kConfigCoverageTemplate, kConfigCounterTemplate,
    kConfigPaperTemplate,      kConfigMachineTemplate,  kConfigFirmwareTemplate,
    kConfigAdjustmentTemplate,
};

// The supplies page's heading over kSupplyFields.
inline constexpr int kSuppliesHeadingControl = kSuppliesHeading;

struct SupplyControls {
  int label;
  int status, remaining, type;  // type 0: no type field
};

// kSupplyFields' rows, in its order.
inline constexpr SupplyControls kSupplyControls[] = {
    {kSuppliesCyanLabel, kSuppliesCyanStatus, kSuppliesCyanRemaining, kSuppliesCyanType},
    {kSuppliesMagentaLabel, kSuppliesMagentaStatus, kSuppliesMagentaRemaining,
     kSuppliesMagentaType},
    {kSuppliesYellowLabel, kSuppliesYellowStatus, kSuppliesYellowRemaining, kSuppliesYellowType},
    {kSuppliesBlackLabel, kSuppliesBlackStatus, kSuppliesBlackRemaining, kSuppliesBlackType},
    {kSuppliesImagingLabel, kSuppliesImagingStatus, kSuppliesImagingRemaining, 0},
};

struct FieldControls {
  int section;  // the heading control of a row that starts a group; 0: none
  int label;    // 0: none (a row with a fixed name)
  int value;
};

// kConfigurationFields' rows, in its order.
// clang-format off
inline constexpr FieldControls kConfigurationFieldControls[] = {
    {kCoverageFacesTitle, kCoverageColorFacesLabel, kCoverageColorFaces},
    {0, kCoverageMonoFacesLabel, kCoverageMonoFaces},
    {0, kCoverageTotalFacesLabel, kCoverageTotalFaces},
    {kCoverageTitle, kCoverageColorLabel, kCoverageColor},
    {0, kCoverageMonoLabel, kCoverageMono},
    {kCoverageCurrentTitle, kCoverageCurrentCyanLabel, kCoverageCurrentCyan},
    {0, kCoverageCurrentMagentaLabel, kCoverageCurrentMagenta},
    {0, kCoverageCurrentYellowLabel, kCoverageCurrentYellow},
    {0, kCoverageCurrentBlackLabel, kCoverageCurrentBlack},
    {kCoverageLastJobTitle, kCoverageLastJobCyanLabel, kCoverageLastJobCyan},
    {0, kCoverageLastJobMagentaLabel, kCoverageLastJobMagenta},
    {0, kCoverageLastJobYellowLabel, kCoverageLastJobYellow},
    {0, kCoverageLastJobBlackLabel, kCoverageLastJobBlack},
    {kCounterHeading, kCounterTotalLabel, kCounterTotal},
    {0, kCounterColorLabel, kCounterColor},
    {0, kCounterMonoLabel, kCounterMono},
    {kCounterTrayTitle, kCounterTray1Label, kCounterTray1},
    {0, 0, kCounterReplacements},
    {0, 0, kCounterApplications},
    {kPaperSizeTitle, kPaperA4Label, kPaperA4},
    {0, kPaperB5Label, kPaperB5},
    {0, kPaperA5Label, kPaperA5},
    {0, kPaperLegalLabel, kPaperLegal},
    {0, kPaperLetterLabel, kPaperLetter},
    {0, kPaperOtherSizesLabel, kPaperOtherSizes},
    {kPaperTypeTitle, kPaperPlainLabel, kPaperPlain},
    {0, kPaperThick1Label, kPaperThick1},
    {0, kPaperThick2Label, kPaperThick2},
    {0, kPaperEnvelopeLabel, kPaperEnvelope},
    {0, kPaperLetterheadLabel, kPaperLetterhead},
    {0, kPaperPostcardLabel, kPaperPostcard},
    {0, kPaperLabelsLabel, kPaperLabels},
    {kMachineHeading, kMachineSerialLabel, kMachineSerial},
    {0, kMachineEnergySaveLabel, kMachineEnergySave},
    {0, kMachineAutoContinueLabel, kMachineAutoContinue},
    {0, kMachineTonerOutStopLabel, kMachineTonerOutStop},
    {0, kMachineTonerLowLabel, kMachineTonerLow},
    {kFirmwareHeading, kFirmwareEngineLabel, kFirmwareEngine},
    {0, kFirmwareBootLabel, kFirmwareBoot},
    {0, kFirmwareControllerLabel, kFirmwareController},
    {kAdjustTopTitle, kAdjustTopPlainLabel, kAdjustTopPlain},
    {0, kAdjustTopThickLabel, kAdjustTopThick},
    {0, kAdjustTopEnvelopeLabel, kAdjustTopEnvelope},
    {kAdjustLeftTitle, kAdjustLeftTray1Label, kAdjustLeftTray1},
    {kAdjustImageLabel, kAdjustImageLabel, kAdjustImage},
    {kAdjustTransferTitle, kAdjustTransferPlainLabel, kAdjustTransferPlain},
    {0, kAdjustTransferThick1Label, kAdjustTransferThick1},
    {0, kAdjustTransferThick2Label, kAdjustTransferThick2},
    {0, kAdjustTransferPostcardLabel, kAdjustTransferPostcard},
    {0, kAdjustTransferEnvelopeLabel, kAdjustTransferEnvelope},
    {0, kAdjustTransferLabelsLabel, kAdjustTransferLabels},
};
// clang-format on

// The control that shows a value the model made.
constexpr int ValueControl(const ConfigFieldText& field) {
  switch (field.column) {
    case ValueColumn::Value: return kConfigurationFieldControls[field.row].value;
    case ValueColumn::SupplyStatus: return kSupplyControls[field.row].status;
    case ValueColumn::SupplyRemaining: return kSupplyControls[field.row].remaining;
    case ValueColumn::SupplyType: return kSupplyControls[field.row].type;
  }
  return 0;
}

namespace configuration_controls_check {

static_assert(std::size(kSupplyControls) == std::size(kSupplyFields));
static_assert(std::size(kConfigurationFieldControls) == std::size(kConfigurationFields));

// A supply has a type field exactly when the model reads its type.
constexpr bool TypesWhereRead() {
  for (std::size_t i = 0; i < std::size(kSupplyFields); ++i)
    if ((kSupplyControls[i].type != 0) != (kSupplyFields[i].type != kNoSupplyType)) return false;
  return true;
}

// A value field shown by two rows would show whichever came last.
constexpr bool ValuesOnce() {
  for (std::size_t a = 0; a < std::size(kConfigurationFields); ++a)
    for (std::size_t b = 0; b < std::size(kConfigurationFields); ++b)
      if (a != b && kConfigurationFields[a].page == kConfigurationFields[b].page &&
          kConfigurationFieldControls[a].value == kConfigurationFieldControls[b].value)
        return false;
  return true;
}

// A row has a heading control where it starts a group, a label control
// where it has a label.
constexpr bool ControlsWhereTexts() {
  for (std::size_t i = 0; i < std::size(kConfigurationFields); ++i)
    if ((kConfigurationFieldControls[i].section != 0) != (kConfigurationFields[i].section != 0) ||
        (kConfigurationFieldControls[i].label != 0) != (kConfigurationFields[i].label != 0))
      return false;
  return true;
}

static_assert(TypesWhereRead());
static_assert(ValuesOnce());
static_assert(ControlsWhereTexts());

}  // namespace configuration_controls_check
