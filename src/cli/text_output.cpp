#include "cli/text_output.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "common/string_table.h"
#include "printer/config_pages.h"
#include "printer/configuration_export.h"
#include "printer/configuration_texts.h"
#include "printer/status_messages.h"

namespace {

std::string TrimEnd(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// East Asian wide characters take two columns of a terminal.
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

// Terminal columns of a UTF-8 text, so that labels in every language line up.
std::size_t Width(const std::string& text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    width += IsWide(c) ? 2 : 1;
    i += length;
  }
  return width;
}

// Rows as columns: the label, then each value, two blanks apart.
std::string AlignedRows(const std::vector<const ConfigurationRow*>& rows,
                        const std::string& indent) {
  std::vector<std::size_t> widths;
  auto widen = [&](std::size_t column, const std::string& text) {
    if (widths.size() <= column) widths.resize(column + 1, 0);
    widths[column] = std::max(widths[column], Width(text));
  };
  for (const ConfigurationRow* row : rows) {
    widen(0, TrimEnd(row->label));
    for (std::size_t i = 0; i + 1 < row->values.size(); ++i) widen(i + 1, row->values[i]);
  }
  std::string out;
  for (const ConfigurationRow* row : rows) {
    std::string line = indent;
    std::vector<std::string> cells{TrimEnd(row->label)};
    cells.insert(cells.end(), row->values.begin(), row->values.end());
    for (std::size_t i = 0; i < cells.size(); ++i) {
      line += cells[i];
      if (i + 1 < cells.size()) line += std::string(widths[i] - Width(cells[i]) + 2, ' ');
    }
    out += TrimEnd(line) + "\n";
  }
  return out;
}

std::string PageRows(const std::vector<ConfigurationRow>& all, int page) {
  std::vector<const ConfigurationRow*> rows;
  for (const ConfigurationRow& row : all)
    if (row.page == page) rows.push_back(&row);
  return AlignedRows(rows, "");
}

// Every page under its tab title, its groups under their headings.
std::string AllPages(const std::vector<ConfigurationRow>& all) {
  std::string out;
  for (int page = 0; page < kConfigPageCount; ++page) {
    if (page) out += "\n";
    out += "[" + TrimEnd(TextOrEmpty(kConfigPageTitles[page])) + "]\n";
    std::vector<const ConfigurationRow*> rows;
    for (const ConfigurationRow& row : all) {
      if (row.page != page) continue;
      if (!rows.empty() && rows.back()->section != row.section) {
        out += TrimEnd(rows.back()->section) + "\n" + AlignedRows(rows, "  ");
        rows.clear();
      }
      rows.push_back(&row);
    }
    if (!rows.empty()) out += TrimEnd(rows.back()->section) + "\n" + AlignedRows(rows, "  ");
  }
  return out;
}

}  // namespace

std::string StatusText(const StatusList& status) {
  std::string out;
  for (int i = 0; i < status.count; ++i) {
    const std::optional<PanelMessage> message = LookupStatusMessage(StatusCodeAt(status, i));
    if (!message) continue;
    for (const PanelLine& line : {message->line1, message->line2})
      if (line.stringId) out += TrimEnd(ComposePanelLine(line)) + "\n";
  }
  return out;
}

std::string TextOutput(ReadingCommand command, const PrinterReading& reading) {
  switch (command) {
    case ReadingCommand::Status: return StatusText(reading.printer.status);
    case ReadingCommand::Supplies:
      return PageRows(ConfigurationRows(reading.printer), kSuppliesPage);
    case ReadingCommand::Counters:
      return PageRows(ConfigurationRows(reading.printer), kCounterPage);
    case ReadingCommand::Config: return AllPages(ConfigurationRows(reading.printer));
  }
  return "";
}

std::string TextUnreadable(const std::string& reason) { return "(" + reason + ")\n"; }
