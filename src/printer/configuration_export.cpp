#include "printer/configuration_export.h"

#include <iterator>
#include <map>
#include <string_view>
#include <utility>

#include "common/string_table.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "printer/config_pages.h"
#include "printer/configuration_fields.h"
#include "printer/configuration_texts.h"
#include "printer/file_replace.h"
#include "printer/printer_info.h"
#include "printer/profile_encoding.h"
#include "string_ids.h"

namespace {

// A field's text is read as through a 256-byte buffer.
constexpr std::size_t kMaxFieldText = 255;

// One entry of the export. A row that names a section field starts a group;
// the others keep the section of the row before them. Rows with a fixed
// name use it as both section and key, in every language.
struct ExportRow {
  int page;          // ConfigPageIndex
  int sectionField;  // 0: the group's section continues
  int keyField;
  int valueFields[3];  // joined by ", "; 0 ends the list
  bool endsGroup;      // the value ends in CR LF: an empty line follows
  const char* fixedName;
};

// The supplies, one group under the page's heading, then the other values.
std::vector<ExportRow> ExportRows() {
  std::vector<ExportRow> rows;
  for (const SupplyField& supply : kSupplyFields) {
    const bool first = &supply == &kSupplyFields[0];
    const bool last = &supply == &kSupplyFields[std::size(kSupplyFields) - 1];
    rows.push_back({kSuppliesPage,
                    first ? kSuppliesHeading : 0,
                    supply.label,
                    {supply.statusValue, supply.remainingValue, supply.typeValue},
                    last,
                    nullptr});
  }
  bool afterNext = false;
  for (const ConfigurationField& field : kConfigurationFields) {
    const ExportRow row{field.page,    field.section,   field.label,
                        {field.value}, field.endsGroup, field.label ? nullptr : field.name};
    rows.insert(afterNext ? rows.end() - 1 : rows.end(), row);
    afterNext = field.exportedAfterNext;
  }
  return rows;
}

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
  for (const ExportRow& exportRow : ExportRows()) {
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
