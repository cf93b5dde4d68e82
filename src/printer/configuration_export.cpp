#include "printer/configuration_export.h"

#include <iterator>
#include <map>
#include <string_view>
#include <tuple>
#include <utility>

#include "common/string_table.h"
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

// One value of a row: which row of its table, and which of its values.
struct ValueRef {
  int row;
  ValueColumn column;
};

// One entry of the export. A row that names a section starts a group; the
// others keep the section of the row before them. Rows with a fixed name
// use it as both section and key, in every language.
struct ExportRow {
  int page;            // ConfigPageIndex
  int section;         // string id; 0: the group's section continues
  int key;             // string id
  ValueRef values[3];  // joined by ", "
  int valueCount;
  bool endsGroup;  // the value ends in CR LF: an empty line follows
  const char* fixedName;
};

// The supplies, one group under the page's heading, then the other values.
std::vector<ExportRow> ExportRows() {
  std::vector<ExportRow> rows;
  const int supplies = static_cast<int>(std::size(kSupplyFields));
  for (int index = 0; index < supplies; ++index) {
    const SupplyField& supply = kSupplyFields[index];
    rows.push_back({kSuppliesPage,
                    index == 0 ? kSuppliesHeadingText : 0,
                    supply.label,
                    {{index, ValueColumn::SupplyStatus},
                     {index, ValueColumn::SupplyRemaining},
                     {index, ValueColumn::SupplyType}},
                    supply.type == kNoSupplyType ? 2 : 3,
                    index == supplies - 1,
                    nullptr});
  }
  bool afterNext = false;
  for (int index = 0; index < static_cast<int>(std::size(kConfigurationFields)); ++index) {
    const ConfigurationField& field = kConfigurationFields[index];
    const ExportRow row{field.page,
                        field.section,
                        field.label,
                        {{index, ValueColumn::Value}},
                        1,
                        field.endsGroup,
                        field.label ? nullptr : field.name};
    rows.insert(afterNext ? rows.end() - 1 : rows.end(), row);
    afterNext = field.exportedAfterNext;
  }
  return rows;
}

// What the pages show: the read values, and the texts of headings and
// labels; a value not read shows nothing.
class PageTexts {
 public:
  explicit PageTexts(const PrinterState& ctx) {
    for (ConfigFieldText& field : ConfigurationTexts(ctx))
      values_[{field.page, field.row, field.column}] = std::move(field.text);
  }

  std::string ValueText(int page, ValueRef value) const {
    auto found = values_.find({page, value.row, value.column});
    return found == values_.end() ? "" : found->second.substr(0, kMaxFieldText);
  }

  static std::string LabelText(int stringId) {
    return stringId ? TextOrEmpty(stringId).substr(0, kMaxFieldText) : "";
  }

 private:
  std::map<std::tuple<int, int, ValueColumn>, std::string> values_;
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
      if (exportRow.section) section = PageTexts::LabelText(exportRow.section);
      row.label = PageTexts::LabelText(exportRow.key);
    }
    row.section = section;
    for (int i = 0; i < exportRow.valueCount; ++i)
      row.values.push_back(texts.ValueText(exportRow.page, exportRow.values[i]));
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

bool WriteConfigurationFile(const PrinterState& ctx, const std::string& path, std::string* reason) {
  std::vector<IniEntry> entries = CollectExportEntries(ctx);
  for (IniEntry& entry : entries) {
    entry.section = ToProfileEncoding(entry.section);
    entry.key = ToProfileEncoding(entry.key);
    entry.value = ToProfileEncoding(entry.value);
  }
  return ReplaceFileContents(path, ComposeIniFile(entries), reason);
}
