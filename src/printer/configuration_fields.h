// Every value the configuration shows, one row each: the information-page
// field it comes from, the page, label and value field that show it, how
// its text is made, the export's grouping and the command line's name.
// The window, the export, the command line and the user service page all
// take a field from here, so adding one is adding a row.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#include "device/request_catalogue.h"
#include "layouts/control_ids.h"
#include "printer/config_pages.h"
#include "printer/printer_info.h"
#include "printer/user_settings.h"

// One supply: a row of the supplies page, and page-1 fields of its state,
// remaining percent and cartridge type.
struct SupplyField {
  const char* name;  // the command line's
  int label;
  int statusValue, remainingValue, typeValue;  // typeValue 0: no type field
  int state, remaining, type;                  // type kNoSupplyType: none
};
inline constexpr int kNoSupplyType = -1;

// The toner cartridges first, the imaging cartridge last; the export writes
// them as one group under kSuppliesHeading.
inline constexpr SupplyField kSupplyFields[] = {
    {"cyan", kSuppliesCyanLabel, kSuppliesCyanStatus, kSuppliesCyanRemaining, kSuppliesCyanType,
     CONSUMETCSTATEC, CONSUMETCREMAINC, CONSUMETCTYPEC},
    {"magenta", kSuppliesMagentaLabel, kSuppliesMagentaStatus, kSuppliesMagentaRemaining,
     kSuppliesMagentaType, CONSUMETCSTATEM, CONSUMETCREMAINM, CONSUMETCTYPEM},
    {"yellow", kSuppliesYellowLabel, kSuppliesYellowStatus, kSuppliesYellowRemaining,
     kSuppliesYellowType, CONSUMETCSTATEY, CONSUMETCREMAINY, CONSUMETCTYPEY},
    {"black", kSuppliesBlackLabel, kSuppliesBlackStatus, kSuppliesBlackRemaining,
     kSuppliesBlackType, CONSUMETCSTATEK, CONSUMETCREMAINK, CONSUMETCTYPEK},
    {"imaging_cartridge", kSuppliesImagingLabel, kSuppliesImagingStatus, kSuppliesImagingRemaining,
     0, CONSUMEICSTATE, CONSUMEICREMAIN, kNoSupplyType},
};

// How a value field's text is made from its source.
enum class Shown {
  AsText,
  Percent,
  SwitchOff,          // "Off" for "OFF"
  SwitchZero,         // "Off" for "0"
  MinusTopLeftBias,   // the number less kTopLeftBias
  MinusTransferBias,  // the number less kTransferBias
  EnergySave,         // the time, or "Off" while the energy-save switch is off
  ReplacementRecord,  // the counter records, not a page field; set only
  ApplicationRecord,  // when the record was read
};

constexpr int BiasOf(Shown shown) {
  return shown == Shown::MinusTopLeftBias    ? kTopLeftBias
         : shown == Shown::MinusTransferBias ? kTransferBias
                                             : 0;
}

// The command line's groups of named values.
enum class FieldGroup {
  None,
  FaceCounters,
  TraySheets,
  PaperSizes,
  PaperTypes,
  NormalizedFaces,
  NormalizedCoverage,
  AverageCoverage,
  LastJobCoverage,
  Switches,
  Firmware,
  Adjustments,
};

struct InfoKey {
  int page;  // information page number
  int field;
};

using UserSetting = std::int32_t UserSettings::*;

struct ConfigurationField {
  int page;     // ConfigPageIndex
  int section;  // the heading that starts an export group here; 0: the group goes on
  int label;    // 0: `name` is the fixed section and key, in every language
  int value;
  InfoKey source;
  Shown shown;
  FieldGroup group;
  const char* name;               // the command line's name in its group; nullptr: none
  bool endsGroup;                 // the export leaves an empty line after it
  UserSetting setting = nullptr;  // the user service page's copy of the value
  bool exportedAfterNext = false;
};

// In the pages' order (the window's and the command line's).
// One row each, kept as rows (clang-format would give each member a line).
// clang-format off
inline constexpr ConfigurationField kConfigurationFields[] = {
    {kCoveragePage, kCoverageFacesTitle, kCoverageColorFacesLabel, kCoverageColorFaces,
     {kTonerPageNumber, COVERAGETOTALCOLOR}, Shown::AsText, FieldGroup::NormalizedFaces, "colour",
     false},
    {kCoveragePage, 0, kCoverageMonoFacesLabel, kCoverageMonoFaces,
     {kTonerPageNumber, COVERAGETOTALMONO}, Shown::AsText, FieldGroup::NormalizedFaces,
     "monochrome", false},
    {kCoveragePage, 0, kCoverageTotalFacesLabel, kCoverageTotalFaces,
     {kTonerPageNumber, COVERAGETOTAL}, Shown::AsText, FieldGroup::NormalizedFaces, "total", true},
    {kCoveragePage, kCoverageTitle, kCoverageColorLabel, kCoverageColor,
     {kTonerPageNumber, COVERAGECOLOR}, Shown::AsText, FieldGroup::NormalizedCoverage, "colour",
     false},
    {kCoveragePage, 0, kCoverageMonoLabel, kCoverageMono, {kTonerPageNumber, COVERAGEMONO},
     Shown::AsText, FieldGroup::NormalizedCoverage, "monochrome", true},
    {kCoveragePage, kCoverageCurrentTitle, kCoverageCurrentCyanLabel, kCoverageCurrentCyan,
     {kTonerPageNumber, COVERAGEAVERAGEC}, Shown::Percent, FieldGroup::AverageCoverage, "cyan",
     false},
    {kCoveragePage, 0, kCoverageCurrentMagentaLabel, kCoverageCurrentMagenta,
     {kTonerPageNumber, COVERAGEAVERAGEM}, Shown::Percent, FieldGroup::AverageCoverage, "magenta",
     false},
    {kCoveragePage, 0, kCoverageCurrentYellowLabel, kCoverageCurrentYellow,
     {kTonerPageNumber, COVERAGEAVERAGEY}, Shown::Percent, FieldGroup::AverageCoverage, "yellow",
     false},
    {kCoveragePage, 0, kCoverageCurrentBlackLabel, kCoverageCurrentBlack,
     {kTonerPageNumber, COVERAGEAVERAGEK}, Shown::Percent, FieldGroup::AverageCoverage, "black",
     true},
    {kCoveragePage, kCoverageLastJobTitle, kCoverageLastJobCyanLabel, kCoverageLastJobCyan,
     {kTonerPageNumber, COVERAGELASTC}, Shown::Percent, FieldGroup::LastJobCoverage, "cyan", false},
    {kCoveragePage, 0, kCoverageLastJobMagentaLabel, kCoverageLastJobMagenta,
     {kTonerPageNumber, COVERAGELASTM}, Shown::Percent, FieldGroup::LastJobCoverage, "magenta",
     false},
    {kCoveragePage, 0, kCoverageLastJobYellowLabel, kCoverageLastJobYellow,
     {kTonerPageNumber, COVERAGELASTY}, Shown::Percent, FieldGroup::LastJobCoverage, "yellow",
     false},
    {kCoveragePage, 0, kCoverageLastJobBlackLabel, kCoverageLastJobBlack,
     {kTonerPageNumber, COVERAGELASTK}, Shown::Percent, FieldGroup::LastJobCoverage, "black", true},

    {kCounterPage, kCounterHeading, kCounterTotalLabel, kCounterTotal,
     {kCountPageNumber, COUNTTOTAL}, Shown::AsText, FieldGroup::FaceCounters, "total", false},
    {kCounterPage, 0, kCounterColorLabel, kCounterColor, {kCountPageNumber, COUNTCOLORPRINT},
     Shown::AsText, FieldGroup::FaceCounters, "colour", false},
    {kCounterPage, 0, kCounterMonoLabel, kCounterMono, {kCountPageNumber, COUNTMONOPRINT},
     Shown::AsText, FieldGroup::FaceCounters, "monochrome", true},
    {kCounterPage, kCounterTrayTitle, kCounterTray1Label, kCounterTray1,
     {kCountPageNumber, COUNTTRAY1}, Shown::AsText, FieldGroup::TraySheets, "tray1", true},
    {kCounterPage, 0, 0, kCounterReplacements, {}, Shown::ReplacementRecord, FieldGroup::None,
     "Replacement", true},
    {kCounterPage, 0, 0, kCounterApplications, {}, Shown::ApplicationRecord, FieldGroup::None,
     "Application Counter", true},

    {kPaperPage, kPaperSizeTitle, kPaperA4Label, kPaperA4, {kCountPageNumber, COUNTSIZEA4},
     Shown::AsText, FieldGroup::PaperSizes, "a4", false},
    {kPaperPage, 0, kPaperB5Label, kPaperB5, {kCountPageNumber, COUNTSIZEB5}, Shown::AsText,
     FieldGroup::PaperSizes, "b5_jis", false},
    {kPaperPage, 0, kPaperA5Label, kPaperA5, {kCountPageNumber, COUNTSIZEA5}, Shown::AsText,
     FieldGroup::PaperSizes, "a5", false},
    {kPaperPage, 0, kPaperLegalLabel, kPaperLegal, {kCountPageNumber, COUNTSIZELEGAL},
     Shown::AsText, FieldGroup::PaperSizes, "legal", false},
    {kPaperPage, 0, kPaperLetterLabel, kPaperLetter, {kCountPageNumber, COUNTSIZELETTER},
     Shown::AsText, FieldGroup::PaperSizes, "letter", false},
    {kPaperPage, 0, kPaperOtherSizesLabel, kPaperOtherSizes, {kCountPageNumber, COUNTSIZEOTHERS},
     Shown::AsText, FieldGroup::PaperSizes, "others", true},
    {kPaperPage, kPaperTypeTitle, kPaperPlainLabel, kPaperPlain,
     {kCountPageNumber, COUNTMEDIAPLAIN}, Shown::AsText, FieldGroup::PaperTypes, "plain", false},
    {kPaperPage, 0, kPaperThick1Label, kPaperThick1, {kCountPageNumber, COUNTMEDIATHICK},
     Shown::AsText, FieldGroup::PaperTypes, "thick1", false},
    {kPaperPage, 0, kPaperThick2Label, kPaperThick2, {kCountPageNumber, COUNTMEDIATHICK2},
     Shown::AsText, FieldGroup::PaperTypes, "thick2", false},
    {kPaperPage, 0, kPaperEnvelopeLabel, kPaperEnvelope, {kCountPageNumber, COUNTMEDIAENVELOPE},
     Shown::AsText, FieldGroup::PaperTypes, "envelope", false},
    {kPaperPage, 0, kPaperLetterheadLabel, kPaperLetterhead,
     {kCountPageNumber, COUNTMEDIALETTERHEAD}, Shown::AsText, FieldGroup::PaperTypes,
     "letterhead", false},
    {kPaperPage, 0, kPaperPostcardLabel, kPaperPostcard, {kCountPageNumber, COUNTMEDIAPOSTCARD},
     Shown::AsText, FieldGroup::PaperTypes, "postcard", false},
    {kPaperPage, 0, kPaperLabelsLabel, kPaperLabels, {kCountPageNumber, COUNTMEDIALABELS},
     Shown::AsText, FieldGroup::PaperTypes, "labels", true},

    // The command line names the serial and the energy-save time itself.
    {kMachineSettingPage, kMachineHeading, kMachineSerialLabel, kMachineSerial,
     {kMachinePageNumber, MACHINESERIAL}, Shown::AsText, FieldGroup::None, nullptr, false},
    {kMachineSettingPage, 0, kMachineEnergySaveLabel, kMachineEnergySave,
     {kMachinePageNumber, MACHINEENERGYSAVE}, Shown::EnergySave, FieldGroup::None, nullptr,
     false},
    {kMachineSettingPage, 0, kMachineAutoContinueLabel, kMachineAutoContinue,
     {kMachinePageNumber, MACHINEAUTOCONTO}, Shown::SwitchOff, FieldGroup::Switches,
     "auto_continue", false},
    {kMachineSettingPage, 0, kMachineTonerOutStopLabel, kMachineTonerOutStop,
     {kMachinePageNumber, MACHINETONEREMPTY}, Shown::SwitchOff, FieldGroup::Switches,
     "toner_out_stop", false},
    {kMachineSettingPage, 0, kMachineTonerLowLabel, kMachineTonerLow,
     {kTonerPageNumber, TONERLOWMSG}, Shown::SwitchZero, FieldGroup::Switches,
     "toner_low_message", true},

    {kFirmwarePage, kFirmwareHeading, kFirmwareEngineLabel, kFirmwareEngine,
     {kMachinePageNumber, MACHINEVERSIONENGINE}, Shown::AsText, FieldGroup::Firmware, "engine",
     false},
    {kFirmwarePage, 0, kFirmwareBootLabel, kFirmwareBoot, {kMachinePageNumber, MACHINEVERSIONBOOT},
     Shown::AsText, FieldGroup::Firmware, "boot", false},
    {kFirmwarePage, 0, kFirmwareControllerLabel, kFirmwareController,
     {kMachinePageNumber, MACHINEVERSIONFW}, Shown::AsText, FieldGroup::Firmware, "controller",
     true},

    {kAdjustmentPage, kAdjustTopTitle, kAdjustTopPlainLabel, kAdjustTopPlain,
     {kAdjustPageNumber, ADJTOPPLAIN}, Shown::MinusTopLeftBias, FieldGroup::Adjustments,
     "top_plain", false, &UserSettings::topAdjustPlain},
    {kAdjustmentPage, 0, kAdjustTopThickLabel, kAdjustTopThick, {kAdjustPageNumber, ADJTOPTHICK},
     Shown::MinusTopLeftBias, FieldGroup::Adjustments, "top_thick", false,
     &UserSettings::topAdjustThick},
    {kAdjustmentPage, 0, kAdjustTopEnvelopeLabel, kAdjustTopEnvelope,
     {kAdjustPageNumber, ADJTOPENVELOPE}, Shown::MinusTopLeftBias, FieldGroup::Adjustments,
     "top_envelope", true, &UserSettings::topAdjustEnvelope},
    // The left adjustment and image sections end without an empty line.
    {kAdjustmentPage, kAdjustLeftTitle, kAdjustLeftTray1Label, kAdjustLeftTray1,
     {kAdjustPageNumber, ADJLEFTFRONT}, Shown::MinusTopLeftBias, FieldGroup::Adjustments,
     "left_tray1", false, &UserSettings::leftAdjustTray1},
    {kAdjustmentPage, kAdjustImageLabel, kAdjustImageLabel, kAdjustImage,
     {kAdjustPageNumber, ADJIMAGE}, Shown::AsText, FieldGroup::Adjustments, "image_param", false,
     &UserSettings::imageAdjParam},
    {kAdjustmentPage, kAdjustTransferTitle, kAdjustTransferPlainLabel, kAdjustTransferPlain,
     {kAdjustPageNumber, ADJTRANSPLAINFRONT}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_plain", false, &UserSettings::transferPlain},
    {kAdjustmentPage, 0, kAdjustTransferThick1Label, kAdjustTransferThick1,
     {kAdjustPageNumber, ADJTRANSTHICK1}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_thick1", false, &UserSettings::transferThick1},
    {kAdjustmentPage, 0, kAdjustTransferThick2Label, kAdjustTransferThick2,
     {kAdjustPageNumber, ADJTRANSTHICK2}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_thick2", false, &UserSettings::transferThick2},
    // The export writes Envelope before Postcard, the reverse of the page.
    {kAdjustmentPage, 0, kAdjustTransferPostcardLabel, kAdjustTransferPostcard,
     {kAdjustPageNumber, ADJTRANSPOSTCARD}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_postcard", false, &UserSettings::transferPostcard, true},
    {kAdjustmentPage, 0, kAdjustTransferEnvelopeLabel, kAdjustTransferEnvelope,
     {kAdjustPageNumber, ADJTRANSENVELOPE}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_envelope", false, &UserSettings::transferEnvelope},
    {kAdjustmentPage, 0, kAdjustTransferLabelsLabel, kAdjustTransferLabels,
     {kAdjustPageNumber, ADJTRANSLABEL}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_labels", true, &UserSettings::transferLabels},
};
// clang-format on

namespace configuration_fields_check {

constexpr bool PagesInOrder() {
  int page = kSuppliesPage;
  for (const ConfigurationField& row : kConfigurationFields) {
    if (row.page < page || row.page >= kConfigPageCount) return false;
    page = row.page;
  }
  return true;
}

// A value field shown by two rows would show whichever came last.
constexpr bool ValuesOnce() {
  for (const ConfigurationField& a : kConfigurationFields)
    for (const ConfigurationField& b : kConfigurationFields)
      if (&a != &b && a.page == b.page && a.value == b.value) return false;
  return true;
}

// Each command-line name once in its group, and each user setting once.
constexpr bool NamesOnceInGroup() {
  for (const ConfigurationField& a : kConfigurationFields)
    for (const ConfigurationField& b : kConfigurationFields) {
      if (&a == &b) continue;
      if (a.setting && a.setting == b.setting) return false;
      if (a.group != FieldGroup::None && a.group == b.group && std::string_view(a.name) == b.name)
        return false;
    }
  return true;
}

// A row's source field lies on its information page.
constexpr bool SourcesOnTheirPage() {
  for (const ConfigurationField& row : kConfigurationFields) {
    if (row.shown == Shown::ReplacementRecord || row.shown == Shown::ApplicationRecord) continue;
    const int fields = row.source.page == kTonerPageNumber     ? kTonerFields
                       : row.source.page == kCountPageNumber   ? kCountFields
                       : row.source.page == kMachinePageNumber ? kMachineFields
                       : row.source.page == kAdjustPageNumber  ? kAdjustFields
                                                               : 0;
    if (row.source.field < 0 || row.source.field >= fields) return false;
  }
  return true;
}

// Only a row followed by one of its export group can be written after it.
constexpr bool SwapsStayInGroup() {
  const auto& rows = kConfigurationFields;
  for (std::size_t i = 0; i < std::size(rows); ++i)
    if (rows[i].exportedAfterNext &&
        (i + 1 == std::size(rows) || rows[i].section || rows[i].endsGroup || rows[i + 1].section))
      return false;
  return true;
}

static_assert(PagesInOrder());
static_assert(ValuesOnce());
static_assert(NamesOnceInGroup());
static_assert(SourcesOnTheirPage());
static_assert(SwapsStayInGroup());

}  // namespace configuration_fields_check
