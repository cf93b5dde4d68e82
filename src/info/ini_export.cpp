#include "info/ini_export.h"

#include <string_view>
#include <utility>

#include "common/string_ids.h"
#include "info/configuration_window.h"
#include "info/file_replace.h"
#include "info/printer_info.h"
#include "info/profile_encoding.h"

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

std::string FieldText(const AppContext& ctx, int page, int fieldId) {
  const Window* window = ctx.configPages[page];
  if (!window || fieldId == 0) return "";
  return window->ItemText(fieldId).substr(0, kMaxFieldText);
}

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

std::string PromptExportFileName(Window& configWindow, AppContext& ctx) {
  std::string serial = PageField(ctx, kMachinePageNumber, MACHINESERIAL);
  return configWindow.PromptSaveFile({"INI FILE(*.INI)", "*.INI", "INI", ProposedName(serial)});
}

std::vector<IniEntry> CollectExportEntries(const AppContext& ctx) {
  std::vector<IniEntry> entries;
  std::string section;
  for (const ExportRow& row : kExportRows) {
    IniEntry entry;
    if (row.fixedName) {
      section = row.fixedName;
      entry.key = row.fixedName;
    } else {
      if (row.sectionField) section = FieldText(ctx, row.page, row.sectionField);
      entry.key = FieldText(ctx, row.page, row.keyField);
    }
    entry.section = section;
    for (int i = 0; i < 3 && row.valueFields[i]; ++i)
      entry.value += (i ? ", " : "") + FieldText(ctx, row.page, row.valueFields[i]);
    if (row.endsGroup) entry.value += "\r\n";
    entries.push_back(std::move(entry));
  }
  return entries;
}

void ExportConfiguration(Window& configWindow, AppContext& ctx, const std::string& path) {
  if (path.empty()) return;
  std::vector<IniEntry> entries = CollectExportEntries(ctx);
  for (IniEntry& entry : entries) {
    entry.section = ToProfileEncoding(entry.section);
    entry.key = ToProfileEncoding(entry.key);
    entry.value = ToProfileEncoding(entry.value);
  }
  if (!ReplaceFileContents(path, ComposeIniFile(entries))) {
    configWindow.ShowMessage(kTextExportFailed);
    return;
  }
  if (Platform* platform = PlatformInUse()) platform->FileWritten(path);
}
