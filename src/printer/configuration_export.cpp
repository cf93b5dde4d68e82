#include "printer/configuration_export.h"

#include <map>
#include <string_view>
#include <utility>

#include "common/string_table.h"
#include "printer/configuration_texts.h"
#include "printer/file_replace.h"
#include "printer/printer_info.h"
#include "printer/profile_encoding.h"
#include "string_ids.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"

const int kConfigPageTemplates[kConfigPageCount] = {
    kConfigSuppliesTemplate, kConfigCoverageTemplate, kConfigCounterTemplate,
    kConfigPaperTemplate,    kConfigMachineTemplate,  kConfigFirmwareTemplate,
    kConfigAdjustmentTemplate,
};

const int kConfigPageTitles[kConfigPageCount] = {
    kTextSuppliesTab, kTextCoverageTab, kTextCounterTab,    kTextPaperTab,
    kTextMachineTab,  kTextFirmwareTab, kTextAdjustmentTab,
};

namespace {

// A field's text is read as through a 256-byte buffer.
constexpr std::size_t kMaxFieldText = 255;

// One entry of the export. A row that names a section field starts a group;
// the others keep the section of the row before them. Rows with a fixed
// name use it as both section and key, in every language.
struct ExportRow {
  int page;            // ConfigPageIndex
  int sectionField;    // 0: the group's section continues
  int keyField;
  int valueFields[3];  // joined by ", "; 0 ends the list
  bool endsGroup;      // the value ends in CR LF: an empty line follows
  const char* fixedName = nullptr;
};

constexpr ExportRow kExportRows[] = {
    {kSuppliesPage, kSuppliesHeading, kSuppliesCyanLabel,
     {kSuppliesCyanStatus, kSuppliesCyanRemaining, kSuppliesCyanType}, false},
    {kSuppliesPage, 0, kSuppliesMagentaLabel,
     {kSuppliesMagentaStatus, kSuppliesMagentaRemaining, kSuppliesMagentaType}, false},
    {kSuppliesPage, 0, kSuppliesYellowLabel,
     {kSuppliesYellowStatus, kSuppliesYellowRemaining, kSuppliesYellowType}, false},
    {kSuppliesPage, 0, kSuppliesBlackLabel,
     {kSuppliesBlackStatus, kSuppliesBlackRemaining, kSuppliesBlackType}, false},
    {kSuppliesPage, 0, kSuppliesImagingLabel, {kSuppliesImagingStatus, kSuppliesImagingRemaining},
     true},
    {kCoveragePage, kCoverageFacesTitle, kCoverageColorFacesLabel, {kCoverageColorFaces}, false},
    {kCoveragePage, 0, kCoverageMonoFacesLabel, {kCoverageMonoFaces}, false},
    {kCoveragePage, 0, kCoverageTotalFacesLabel, {kCoverageTotalFaces}, true},
    {kCoveragePage, kCoverageTitle, kCoverageColorLabel, {kCoverageColor}, false},
    {kCoveragePage, 0, kCoverageMonoLabel, {kCoverageMono}, true},
    {kCoveragePage, kCoverageCurrentTitle, kCoverageCurrentCyanLabel, {kCoverageCurrentCyan},
     false},
    {kCoveragePage, 0, kCoverageCurrentMagentaLabel, {kCoverageCurrentMagenta}, false},
    {kCoveragePage, 0, kCoverageCurrentYellowLabel, {kCoverageCurrentYellow}, false},
    {kCoveragePage, 0, kCoverageCurrentBlackLabel, {kCoverageCurrentBlack}, true},
    {kCoveragePage, kCoverageLastJobTitle, kCoverageLastJobCyanLabel, {kCoverageLastJobCyan},
     false},
    {kCoveragePage, 0, kCoverageLastJobMagentaLabel, {kCoverageLastJobMagenta}, false},
    {kCoveragePage, 0, kCoverageLastJobYellowLabel, {kCoverageLastJobYellow}, false},
    {kCoveragePage, 0, kCoverageLastJobBlackLabel, {kCoverageLastJobBlack}, true},
    {kCounterPage, kCounterHeading, kCounterTotalLabel, {kCounterTotal}, false},
    {kCounterPage, 0, kCounterColorLabel, {kCounterColor}, false},
    {kCounterPage, 0, kCounterMonoLabel, {kCounterMono}, true},
    {kCounterPage, kCounterTrayTitle, kCounterTray1Label, {kCounterTray1}, true},
    {kCounterPage, 0, 0, {kCounterReplacements}, true, "Replacement"},
    {kCounterPage, 0, 0, {kCounterApplications}, true, "Application Counter"},
    {kPaperPage, kPaperSizeTitle, kPaperA4Label, {kPaperA4}, false},
    {kPaperPage, 0, kPaperB5Label, {kPaperB5}, false},
    {kPaperPage, 0, kPaperA5Label, {kPaperA5}, false},
    {kPaperPage, 0, kPaperLegalLabel, {kPaperLegal}, false},
    {kPaperPage, 0, kPaperLetterLabel, {kPaperLetter}, false},
    {kPaperPage, 0, kPaperOtherSizesLabel, {kPaperOtherSizes}, true},
    {kPaperPage, kPaperTypeTitle, kPaperPlainLabel, {kPaperPlain}, false},
    {kPaperPage, 0, kPaperThick1Label, {kPaperThick1}, false},
    {kPaperPage, 0, kPaperThick2Label, {kPaperThick2}, false},
    {kPaperPage, 0, kPaperEnvelopeLabel, {kPaperEnvelope}, false},
    {kPaperPage, 0, kPaperLetterheadLabel, {kPaperLetterhead}, false},
    {kPaperPage, 0, kPaperPostcardLabel, {kPaperPostcard}, false},
    {kPaperPage, 0, kPaperLabelsLabel, {kPaperLabels}, true},
    {kMachineSettingPage, kMachineHeading, kMachineSerialLabel, {kMachineSerial}, false},
    {kMachineSettingPage, 0, kMachineEnergySaveLabel, {kMachineEnergySave}, false},
    {kMachineSettingPage, 0, kMachineAutoContinueLabel, {kMachineAutoContinue}, false},
    {kMachineSettingPage, 0, kMachineTonerOutStopLabel, {kMachineTonerOutStop}, false},
    {kMachineSettingPage, 0, kMachineTonerLowLabel, {kMachineTonerLow}, true},
    {kFirmwarePage, kFirmwareHeading, kFirmwareEngineLabel, {kFirmwareEngine}, false},
    {kFirmwarePage, 0, kFirmwareBootLabel, {kFirmwareBoot}, false},
    {kFirmwarePage, 0, kFirmwareControllerLabel, {kFirmwareController}, true},
    {kAdjustmentPage, kAdjustTopTitle, kAdjustTopPlainLabel, {kAdjustTopPlain}, false},
    {kAdjustmentPage, 0, kAdjustTopThickLabel, {kAdjustTopThick}, false},
    {kAdjustmentPage, 0, kAdjustTopEnvelopeLabel, {kAdjustTopEnvelope}, true},
    // The left adjustment and image sections end without an empty line.
    {kAdjustmentPage, kAdjustLeftTitle, kAdjustLeftTray1Label, {kAdjustLeftTray1}, false},
    {kAdjustmentPage, kAdjustImageLabel, kAdjustImageLabel, {kAdjustImage}, false},
    // Envelope before Postcard, the reverse of the page.
    {kAdjustmentPage, kAdjustTransferTitle, kAdjustTransferPlainLabel, {kAdjustTransferPlain},
     false},
    {kAdjustmentPage, 0, kAdjustTransferThick1Label, {kAdjustTransferThick1}, false},
    {kAdjustmentPage, 0, kAdjustTransferThick2Label, {kAdjustTransferThick2}, false},
    {kAdjustmentPage, 0, kAdjustTransferEnvelopeLabel, {kAdjustTransferEnvelope}, false},
    {kAdjustmentPage, 0, kAdjustTransferPostcardLabel, {kAdjustTransferPostcard}, false},
    {kAdjustmentPage, 0, kAdjustTransferLabelsLabel, {kAdjustTransferLabels}, true},
};

// What the pages show: the read values over the layouts' own texts.
class PageTexts {
 public:
  explicit PageTexts(const PrinterState& ctx) {
    for (ConfigFieldText& field : ConfigurationTexts(ctx))
      values_[{field.page, field.fieldId}] = std::move(field.text);
  }

  std::string FieldText(int page, int fieldId) const {
    if (fieldId == 0) return "";
    return ShownText(page, fieldId).substr(0, kMaxFieldText);
  }

 private:
  std::string ShownText(int page, int fieldId) const {
    auto value = values_.find({page, fieldId});
    if (value != values_.end()) return value->second;
    const DialogTemplate* layout = FindDialogTemplate(kConfigPageTemplates[page]);
    const ControlTemplate* control = layout ? FindControl(*layout, fieldId) : nullptr;
    if (!control || control->stringId == kNoString) return "";
    return TextOrEmpty(control->stringId);
  }

  std::map<std::pair<int, int>, std::string> values_;
};

// "<serial>.INI", with the characters no file name may hold made "_", so
// that a serial such as "A/../b" still names a file in the chosen folder.
// An empty serial gives ".INI".
std::string ProposedName(const std::string& serial) {
  std::string name = serial;
  constexpr std::string_view kNotInNames = "/\\:*?\"<>|";
  for (char& c : name) {
    const bool control = static_cast<unsigned char>(c) < 0x20;
    if (control || kNotInNames.find(c) != std::string_view::npos) c = '_';
  }
  return name + ".INI";
}

}  // namespace

std::string ProposedExportName(const PrinterState& ctx) {
  return ProposedName(PageField(ctx, kMachinePageNumber, MACHINESERIAL));
}

std::vector<ConfigurationRow> ConfigurationRows(const PrinterState& ctx) {
  const PageTexts texts(ctx);
  std::vector<ConfigurationRow> rows;
  std::string section;
  for (const ExportRow& exportRow : kExportRows) {
    ConfigurationRow row;
    row.page = exportRow.page;
    if (exportRow.fixedName) {
      section = exportRow.fixedName;
      row.label = exportRow.fixedName;
    } else {
      if (exportRow.sectionField) section = texts.FieldText(exportRow.page, exportRow.sectionField);
      row.label = texts.FieldText(exportRow.page, exportRow.keyField);
    }
    row.section = section;
    for (int i = 0; i < 3 && exportRow.valueFields[i]; ++i)
      row.values.push_back(texts.FieldText(exportRow.page, exportRow.valueFields[i]));
    row.endsGroup = exportRow.endsGroup;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<IniEntry> CollectExportEntries(const PrinterState& ctx) {
  std::vector<IniEntry> entries;
  for (ConfigurationRow& row : ConfigurationRows(ctx)) {
    IniEntry entry;
    entry.section = std::move(row.section);
    entry.key = std::move(row.label);
    for (std::size_t i = 0; i < row.values.size(); ++i)
      entry.value += (i ? ", " : "") + row.values[i];
    if (row.endsGroup) entry.value += "\r\n";
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool WriteConfigurationFile(const PrinterState& ctx, const std::string& path) {
  std::vector<IniEntry> entries = CollectExportEntries(ctx);
  for (IniEntry& entry : entries) {
    entry.section = ToProfileEncoding(entry.section);
    entry.key = ToProfileEncoding(entry.key);
    entry.value = ToProfileEncoding(entry.value);
  }
  return ReplaceFileContents(path, ComposeIniFile(entries));
}
