// Every value the configuration shows, one row each: the information-page
// field it comes from, its page, heading and label texts, how its text is
// made, the export's grouping and the command line's name. The window, the
// export, the command line and the user service page all take a field from
// here, so adding one is adding a row (and, for the window, its controls in
// info/configuration_controls.h, a table of the same rows).
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#include "device/request_catalogue.h"
#include "printer/config_pages.h"
#include "printer/printer_info.h"
#include "printer/user_settings.h"
#include "string_ids.h"

// One supply: a row of the supplies page, and page-1 fields of its state,
// remaining percent and cartridge type.
struct SupplyField {
  const char* name;            // the command line's
  int label;                   // string id
  int state, remaining, type;  // type kNoSupplyType: none
};
inline constexpr int kNoSupplyType = -1;

// The toner cartridges first, the imaging cartridge last; the export writes
// them as one group under kSuppliesHeadingText.
inline constexpr int kSuppliesHeadingText = kTextSuppliesHeading;
inline constexpr SupplyField kSupplyFields[] = {
    {"cyan", kTextSuppliesCyanLabel, CONSUMETCSTATEC, CONSUMETCREMAINC, CONSUMETCTYPEC},
    {"magenta", kTextSuppliesMagentaLabel, CONSUMETCSTATEM, CONSUMETCREMAINM, CONSUMETCTYPEM},
    {"yellow", kTextSuppliesYellowLabel, CONSUMETCSTATEY, CONSUMETCREMAINY, CONSUMETCTYPEY},
    {"black", kTextSuppliesBlackLabel, CONSUMETCSTATEK, CONSUMETCREMAINK, CONSUMETCTYPEK},
    {"imaging_cartridge", kTextSuppliesImagingLabel, CONSUMEICSTATE, CONSUMEICREMAIN,
     kNoSupplyType},
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
  int section;  // string id of the heading that starts an export group here; 0: the group goes on
  int label;    // string id; 0: `name` is the fixed section and key, in every language
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
    {kCoveragePage, kTextCoverageFacesTitle, kTextCoverageColorFacesLabel,
     {kTonerPageNumber, COVERAGETOTALCOLOR}, Shown::AsText, FieldGroup::NormalizedFaces, "colour",
     false},
    {kCoveragePage, 0, kTextCoverageMonoFacesLabel, {kTonerPageNumber, COVERAGETOTALMONO},
     Shown::AsText, FieldGroup::NormalizedFaces, "monochrome", false},
    {kCoveragePage, 0, kTextCoverageTotalFacesLabel, {kTonerPageNumber, COVERAGETOTAL},
     Shown::AsText, FieldGroup::NormalizedFaces, "total", true},
    {kCoveragePage, kTextCoverageTitle, kTextCoverageColorLabel, {kTonerPageNumber, COVERAGECOLOR},
     Shown::AsText, FieldGroup::NormalizedCoverage, "colour", false},
    {kCoveragePage, 0, kTextCoverageMonoLabel, {kTonerPageNumber, COVERAGEMONO}, Shown::AsText,
     FieldGroup::NormalizedCoverage, "monochrome", true},
    {kCoveragePage, kTextCoverageCurrentTitle, kTextAverageCyanLabel,
     {kTonerPageNumber, COVERAGEAVERAGEC}, Shown::Percent, FieldGroup::AverageCoverage, "cyan",
     false},
    {kCoveragePage, 0, kTextAverageMagentaLabel, {kTonerPageNumber, COVERAGEAVERAGEM},
     Shown::Percent, FieldGroup::AverageCoverage, "magenta", false},
    {kCoveragePage, 0, kTextAverageYellowLabel, {kTonerPageNumber, COVERAGEAVERAGEY},
     Shown::Percent, FieldGroup::AverageCoverage, "yellow", false},
    {kCoveragePage, 0, kTextAverageBlackLabel, {kTonerPageNumber, COVERAGEAVERAGEK}, Shown::Percent,
     FieldGroup::AverageCoverage, "black", true},
    {kCoveragePage, kTextCoverageLastJobTitle, kTextAverageCyanLabel,
     {kTonerPageNumber, COVERAGELASTC}, Shown::Percent, FieldGroup::LastJobCoverage, "cyan", false},
    {kCoveragePage, 0, kTextAverageMagentaLabel, {kTonerPageNumber, COVERAGELASTM}, Shown::Percent,
     FieldGroup::LastJobCoverage, "magenta", false},
    {kCoveragePage, 0, kTextAverageYellowLabel, {kTonerPageNumber, COVERAGELASTY}, Shown::Percent,
     FieldGroup::LastJobCoverage, "yellow", false},
    {kCoveragePage, 0, kTextAverageBlackLabel, {kTonerPageNumber, COVERAGELASTK}, Shown::Percent,
     FieldGroup::LastJobCoverage, "black", true},

    {kCounterPage, kTextCounterHeading, kTextCounterTotalLabel, {kCountPageNumber, COUNTTOTAL},
     Shown::AsText, FieldGroup::FaceCounters, "total", false},
    {kCounterPage, 0, kTextCounterColorLabel, {kCountPageNumber, COUNTCOLORPRINT}, Shown::AsText,
     FieldGroup::FaceCounters, "colour", false},
    {kCounterPage, 0, kTextCounterMonoLabel, {kCountPageNumber, COUNTMONOPRINT}, Shown::AsText,
     FieldGroup::FaceCounters, "monochrome", true},
    {kCounterPage, kTextCounterTrayTitle, kTextCounterTray1Label, {kCountPageNumber, COUNTTRAY1},
     Shown::AsText, FieldGroup::TraySheets, "tray1", true},
    {kCounterPage, 0, 0, {}, Shown::ReplacementRecord, FieldGroup::None, "Replacement", true},
    {kCounterPage, 0, 0, {}, Shown::ApplicationRecord, FieldGroup::None, "Application Counter",
     true},

    {kPaperPage, kTextPaperSizeTitle, kTextPaperA4Label, {kCountPageNumber, COUNTSIZEA4},
     Shown::AsText, FieldGroup::PaperSizes, "a4", false},
    {kPaperPage, 0, kTextPaperB5Label, {kCountPageNumber, COUNTSIZEB5}, Shown::AsText,
     FieldGroup::PaperSizes, "b5_jis", false},
    {kPaperPage, 0, kTextPaperA5Label, {kCountPageNumber, COUNTSIZEA5}, Shown::AsText,
     FieldGroup::PaperSizes, "a5", false},
    {kPaperPage, 0, kTextPaperLegalLabel, {kCountPageNumber, COUNTSIZELEGAL}, Shown::AsText,
     FieldGroup::PaperSizes, "legal", false},
    {kPaperPage, 0, kTextPaperLetterLabel, {kCountPageNumber, COUNTSIZELETTER}, Shown::AsText,
     FieldGroup::PaperSizes, "letter", false},
    {kPaperPage, 0, kTextPaperOtherSizesLabel, {kCountPageNumber, COUNTSIZEOTHERS}, Shown::AsText,
     FieldGroup::PaperSizes, "others", true},
    {kPaperPage, kTextPaperTypeTitle, kTextPlainPaperLabel, {kCountPageNumber, COUNTMEDIAPLAIN},
     Shown::AsText, FieldGroup::PaperTypes, "plain", false},
    {kPaperPage, 0, kTextThick1Label, {kCountPageNumber, COUNTMEDIATHICK}, Shown::AsText,
     FieldGroup::PaperTypes, "thick1", false},
    {kPaperPage, 0, kTextThick2Label, {kCountPageNumber, COUNTMEDIATHICK2}, Shown::AsText,
     FieldGroup::PaperTypes, "thick2", false},
    {kPaperPage, 0, kTextEnvelopeLabel, {kCountPageNumber, COUNTMEDIAENVELOPE}, Shown::AsText,
     FieldGroup::PaperTypes, "envelope", false},
    {kPaperPage, 0, kTextPaperLetterheadLabel, {kCountPageNumber, COUNTMEDIALETTERHEAD},
     Shown::AsText, FieldGroup::PaperTypes, "letterhead", false},
    {kPaperPage, 0, kTextPostcardLabel, {kCountPageNumber, COUNTMEDIAPOSTCARD}, Shown::AsText,
     FieldGroup::PaperTypes, "postcard", false},
    {kPaperPage, 0, kTextLabelsLabel, {kCountPageNumber, COUNTMEDIALABELS}, Shown::AsText,
     FieldGroup::PaperTypes, "labels", true},

    // The command line names the serial and the energy-save time itself.
    {kMachineSettingPage, kTextMachineHeading, kTextMachineSerialLabel,
     {kMachinePageNumber, MACHINESERIAL}, Shown::AsText, FieldGroup::None, nullptr, false},
    {kMachineSettingPage, 0, kTextMachineEnergySaveLabel, {kMachinePageNumber, MACHINEENERGYSAVE},
     Shown::EnergySave, FieldGroup::None, nullptr, false},
    {kMachineSettingPage, 0, kTextMachineAutoContinueLabel, {kMachinePageNumber, MACHINEAUTOCONTO},
     Shown::SwitchOff, FieldGroup::Switches, "auto_continue", false},
    {kMachineSettingPage, 0, kTextMachineTonerOutStopLabel, {kMachinePageNumber, MACHINETONEREMPTY},
     Shown::SwitchOff, FieldGroup::Switches, "toner_out_stop", false},
    {kMachineSettingPage, 0, kTextMachineTonerLowLabel, {kTonerPageNumber, TONERLOWMSG},
     Shown::SwitchZero, FieldGroup::Switches, "toner_low_message", true},

    {kFirmwarePage, kTextFirmwareHeading, kTextFirmwareEngineLabel,
     {kMachinePageNumber, MACHINEVERSIONENGINE}, Shown::AsText, FieldGroup::Firmware, "engine",
     false},
    {kFirmwarePage, 0, kTextFirmwareBootLabel, {kMachinePageNumber, MACHINEVERSIONBOOT},
     Shown::AsText, FieldGroup::Firmware, "boot", false},
    {kFirmwarePage, 0, kTextFirmwareControllerLabel, {kMachinePageNumber, MACHINEVERSIONFW},
     Shown::AsText, FieldGroup::Firmware, "controller", true},

    {kAdjustmentPage, kTextAdjustTopTitle, kTextPlainPaperLabel, {kAdjustPageNumber, ADJTOPPLAIN},
     Shown::MinusTopLeftBias, FieldGroup::Adjustments, "top_plain", false,
     &UserSettings::topAdjustPlain},
    {kAdjustmentPage, 0, kTextAdjustTopThickLabel, {kAdjustPageNumber, ADJTOPTHICK},
     Shown::MinusTopLeftBias, FieldGroup::Adjustments, "top_thick", false,
     &UserSettings::topAdjustThick},
    {kAdjustmentPage, 0, kTextEnvelopeLabel, {kAdjustPageNumber, ADJTOPENVELOPE},
     Shown::MinusTopLeftBias, FieldGroup::Adjustments, "top_envelope", true,
     &UserSettings::topAdjustEnvelope},
    // The left adjustment and image sections end without an empty line.
    {kAdjustmentPage, kTextAdjustLeftTitle, kTextAdjustLeftTray1Label,
     {kAdjustPageNumber, ADJLEFTFRONT}, Shown::MinusTopLeftBias, FieldGroup::Adjustments,
     "left_tray1", false, &UserSettings::leftAdjustTray1},
    {kAdjustmentPage, kTextAdjustImageLabel, kTextAdjustImageLabel, {kAdjustPageNumber, ADJIMAGE},
     Shown::AsText, FieldGroup::Adjustments, "image_param", false, &UserSettings::imageAdjParam},
    {kAdjustmentPage, kTextAdjustTransferTitle, kTextPlainPaperLabel,
     {kAdjustPageNumber, ADJTRANSPLAINFRONT}, Shown::MinusTransferBias, FieldGroup::Adjustments,
     "transfer_plain", false, &UserSettings::transferPlain},
    {kAdjustmentPage, 0, kTextThick1Label, {kAdjustPageNumber, ADJTRANSTHICK1},
     Shown::MinusTransferBias, FieldGroup::Adjustments, "transfer_thick1", false,
     &UserSettings::transferThick1},
    {kAdjustmentPage, 0, kTextThick2Label, {kAdjustPageNumber, ADJTRANSTHICK2},
     Shown::MinusTransferBias, FieldGroup::Adjustments, "transfer_thick2", false,
     &UserSettings::transferThick2},
    // The export writes Envelope before Postcard, the reverse of the page.
    {kAdjustmentPage, 0, kTextPostcardLabel, {kAdjustPageNumber, ADJTRANSPOSTCARD},
     Shown::MinusTransferBias, FieldGroup::Adjustments, "transfer_postcard", false,
     &UserSettings::transferPostcard, true},
    {kAdjustmentPage, 0, kTextEnvelopeLabel, {kAdjustPageNumber, ADJTRANSENVELOPE},
     Shown::MinusTransferBias, FieldGroup::Adjustments, "transfer_envelope", false,
     &UserSettings::transferEnvelope},
    {kAdjustmentPage, 0, kTextLabelsLabel, {kAdjustPageNumber, ADJTRANSLABEL},
     Shown::MinusTransferBias, FieldGroup::Adjustments, "transfer_labels", true,
     &UserSettings::transferLabels},
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
static_assert(NamesOnceInGroup());
static_assert(SourcesOnTheirPage());
static_assert(SwapsStayInGroup());

}  // namespace configuration_fields_check
