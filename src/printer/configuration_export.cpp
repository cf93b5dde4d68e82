#include "printer/configuration_export.h"

#include <map>
#include <string_view>
#include <utility>

#include "common/string_table.h"
#include "printer/configuration_texts.h"
#include "printer/file_replace.h"
#include "printer/printer_info.h"
#include "printer/profile_encoding.h"
#include "ui/dialog_template.h"

const int kConfigPageTemplates[kConfigPageCount] = {
    kConfigSuppliesTemplate, kConfigCoverageTemplate, kConfigCounterTemplate,
    kConfigPaperTemplate,    kConfigMachineTemplate,  kConfigFirmwareTemplate,
    kConfigAdjustmentTemplate,
};

const int kConfigPageTitles[kConfigPageCount] = {
    149,  // "Supplies Status"
    150,  // "Coverage Information"
    151,  // "Counter"
    152,  // "Paper"
    153,  // "Machine Setting"
    154,  // "Firmware Version"
    156,  // "Adjustment"
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
    {kSuppliesPage, 1088, 1091, {1099, 1104, 1109}, false},
    {kSuppliesPage, 0, 1092, {1100, 1105, 1110}, false},
    {kSuppliesPage, 0, 1093, {1101, 1106, 1111}, false},
    {kSuppliesPage, 0, 1094, {1102, 1107, 1112}, false},
    {kSuppliesPage, 0, 1095, {1103, 1108}, true},
    {kCoveragePage, 1090, 1091, {1094}, false},
    {kCoveragePage, 0, 1092, {1095}, false},
    {kCoveragePage, 0, 1093, {1096}, true},
    {kCoveragePage, 1097, 1098, {1100}, false},
    {kCoveragePage, 0, 1099, {1101}, true},
    {kCoveragePage, 1107, 1103, {1105}, false},
    {kCoveragePage, 0, 1104, {1106}, false},
    {kCoveragePage, 0, 1109, {1111}, false},
    {kCoveragePage, 0, 1110, {1112}, true},
    {kCoveragePage, 1108, 1113, {1115}, false},
    {kCoveragePage, 0, 1114, {1116}, false},
    {kCoveragePage, 0, 1117, {1119}, false},
    {kCoveragePage, 0, 1118, {1120}, true},
    {kCounterPage, 1113, 1114, {1115}, false},
    {kCounterPage, 0, 1116, {1117}, false},
    {kCounterPage, 0, 1190, {1118}, true},
    {kCounterPage, 1119, 1120, {1122}, true},
    {kCounterPage, 0, 0, {1121}, true, "Replacement"},
    {kCounterPage, 0, 0, {1123}, true, "Application Counter"},
    {kPaperPage, 1125, 1127, {1129}, false},
    {kPaperPage, 0, 1128, {1130}, false},
    {kPaperPage, 0, 1131, {1133}, false},
    {kPaperPage, 0, 1132, {1134}, false},
    {kPaperPage, 0, 1135, {1137}, false},
    {kPaperPage, 0, 1136, {1138}, true},
    {kPaperPage, 1126, 1139, {1141}, false},
    {kPaperPage, 0, 1143, {1145}, false},
    {kPaperPage, 0, 1144, {1146}, false},
    {kPaperPage, 0, 1147, {1149}, false},
    {kPaperPage, 0, 1148, {1150}, false},
    {kPaperPage, 0, 1151, {1153}, false},
    {kPaperPage, 0, 1152, {1154}, true},
    {kMachineSettingPage, 1139, 1140, {1144}, false},
    {kMachineSettingPage, 0, 1141, {1145}, false},
    {kMachineSettingPage, 0, 1017, {1147}, false},
    {kMachineSettingPage, 0, 1143, {1148}, false},
    {kMachineSettingPage, 0, 1146, {1149}, true},
    {kFirmwarePage, 1149, 1150, {1153}, false},
    {kFirmwarePage, 0, 1151, {1154}, false},
    {kFirmwarePage, 0, 1152, {1155}, true},
    {kAdjustmentPage, 1162, 1164, {1165}, false},
    {kAdjustmentPage, 0, 1166, {1167}, false},
    {kAdjustmentPage, 0, 1168, {1169}, true},
    // The left adjustment and image sections end without an empty line.
    {kAdjustmentPage, 1170, 1171, {1172}, false},
    {kAdjustmentPage, 1175, 1175, {1176}, false},
    // Envelope before Postcard, the reverse of the page.
    {kAdjustmentPage, 1163, 1178, {1179}, false},
    {kAdjustmentPage, 0, 1180, {1181}, false},
    {kAdjustmentPage, 0, 1182, {1183}, false},
    {kAdjustmentPage, 0, 1186, {1187}, false},
    {kAdjustmentPage, 0, 1185, {1184}, false},
    {kAdjustmentPage, 0, 1189, {1188}, true},
};

// What the pages show: the read values over the layouts' own texts.
class PageTexts {
 public:
  explicit PageTexts(const AppContext& ctx) {
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
    const char* text = LoadText(control->stringId);
    return text ? text : "";
  }

  std::map<std::pair<int, int>, std::string> values_;
};

// The serial as a file name in the chosen folder: characters no file name
// may hold, and a leading dot (a hidden file), become "_". No serial, no name.
std::string ProposedName(const std::string& serial) {
  if (serial.empty()) return "";
  std::string name = serial;
  constexpr std::string_view kNotInNames = "/\\:*?\"<>|";
  for (char& c : name) {
    const bool control = static_cast<unsigned char>(c) < 0x20;
    if (control || kNotInNames.find(c) != std::string_view::npos) c = '_';
  }
  if (name.front() == '.') name.front() = '_';
  return name + ".INI";
}

}  // namespace

std::string ProposedExportName(const AppContext& ctx) {
  return ProposedName(PageField(ctx, kMachinePageNumber, MACHINESERIAL));
}

std::vector<ConfigurationRow> ConfigurationRows(const AppContext& ctx) {
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

std::vector<IniEntry> CollectExportEntries(const AppContext& ctx) {
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

bool WriteConfigurationFile(const AppContext& ctx, const std::string& path) {
  std::vector<IniEntry> entries = CollectExportEntries(ctx);
  for (IniEntry& entry : entries) {
    entry.section = ToProfileEncoding(entry.section);
    entry.key = ToProfileEncoding(entry.key);
    entry.value = ToProfileEncoding(entry.value);
  }
  return ReplaceFileContents(path, ComposeIniFile(entries));
}
