#include "cli/snmp_tree.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>

#include "cli/printer_values.h"
#include "cli/valid_utf8.h"
#include "printer/configuration_fields.h"
#include "printer/mib_mapping.h"
#include "printer/status_messages.h"
#include "printer/status_severity.h"

namespace {

constexpr char kPrinterName[] = "Tarnlow";
constexpr std::uint32_t kMarker = 1;   // the printer's one marker
constexpr std::uint32_t kConsole = 1;  // prtConsoleDisplayBufferIndex of the first line
constexpr std::size_t kLongestText = 255;

// The columns of the tables served, under their entries' OIDs.
const Oid kGeneralEntry = {1, 3, 6, 1, 2, 1, 43, 5, 1, 1};
const Oid kMarkerEntry = {1, 3, 6, 1, 2, 1, 43, 10, 2, 1};
const Oid kSuppliesEntry = {1, 3, 6, 1, 2, 1, 43, 11, 1, 1};
const Oid kColorantEntry = {1, 3, 6, 1, 2, 1, 43, 12, 1, 1};
const Oid kConsoleEntry = {1, 3, 6, 1, 2, 1, 43, 16, 5, 1};
const Oid kAlertEntry = {1, 3, 6, 1, 2, 1, 43, 18, 1, 1};

class TreeWriter {
 public:
  explicit TreeWriter(SnmpTree& tree) : tree_(tree) {}

  void Integer(const Oid& entry, std::uint32_t column, std::vector<std::uint32_t> index,
               int value) {
    Put(entry, column, std::move(index), {"integer", std::to_string(value)});
  }
  void Counter(const Oid& entry, std::uint32_t column, std::vector<std::uint32_t> index,
               std::uint32_t value) {
    Put(entry, column, std::move(index), {"counter", std::to_string(value)});
  }
  // One line of valid UTF-8: the protocol ends a value at the line's end.
  // The MIBs' texts hold at most 255 octets: a longer one is cut before a
  // whole character.
  void String(const Oid& entry, std::uint32_t column, std::vector<std::uint32_t> index,
              const std::string& text) {
    std::string line = ValidUtf8(text);
    for (char& c : line)
      if (c == '\n' || c == '\r') c = ' ';
    if (line.size() > kLongestText) {
      std::size_t cut = kLongestText;
      while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
      line.resize(cut);
    }
    Put(entry, column, std::move(index), {"string", line});
  }
  void Octets(const Oid& entry, std::uint32_t column, std::vector<std::uint32_t> index,
              const std::vector<std::uint8_t>& octets) {
    std::string hex;
    for (const std::uint8_t octet : octets) {
      char pair[4];
      std::snprintf(pair, sizeof pair, "%02X", octet);
      hex += (hex.empty() ? "" : " ") + std::string(pair);
    }
    Put(entry, column, std::move(index), {"octet", hex});
  }

 private:
  void Put(const Oid& entry, std::uint32_t column, std::vector<std::uint32_t> index,
           SnmpValue value) {
    Oid oid = entry;
    oid.push_back(column);
    oid.insert(oid.end(), index.begin(), index.end());
    tree_[std::move(oid)] = std::move(value);
  }

  SnmpTree& tree_;
};

// The panel's two lines as the operator reads them: those of the most
// urgent code that has a message (the panel shows each in turn).
std::vector<std::string> ConsoleLines(const StatusList& status) {
  int shown = -1;
  for (int i = 0; i < status.count; ++i) {
    if (!LookupStatusMessage(StatusCodeAt(status, i))) continue;
    if (shown < 0 ||
        SeverityOfCode(StatusCodeAt(status, i)) > SeverityOfCode(StatusCodeAt(status, shown)))
      shown = i;
  }
  if (shown < 0) return {};
  const PanelMessage message = *LookupStatusMessage(StatusCodeAt(status, shown));
  std::vector<std::string> lines;
  for (const PanelLine& line : {message.line1, message.line2}) {
    std::string text = line.stringId ? ComposePanelLine(line) : "";
    text.erase(text.find_last_not_of(' ') + 1);
    lines.push_back(text);
  }
  return lines;
}

void Alerts(TreeWriter& out, std::uint32_t device, const PrinterState& printer) {
  std::set<std::string> seen;  // a code reported twice is one alert
  std::uint32_t index = 0;
  for (int i = 0; i < printer.status.count; ++i) {
    const char* code = StatusCodeAt(printer.status, i);
    const std::optional<int> severity = AlertSeverityOf(SeverityOfCode(code));
    if (!severity || !seen.insert(std::string(StatusCodeText(printer.status, i))).second) continue;
    const StatusCodeMapping& family = MappingOfCode(code);
    ++index;
    out.Integer(kAlertEntry, 2, {device, index}, *severity);
    out.Integer(kAlertEntry, 3, {device, index}, family.trainingLevel);
    out.Integer(kAlertEntry, 4, {device, index}, family.alertGroup);
    out.Integer(kAlertEntry, 5, {device, index}, -1);  // no one sub-unit row
    out.Integer(kAlertEntry, 6, {device, index}, -1);
    out.Integer(kAlertEntry, 7, {device, index}, family.alertCode);
    out.String(kAlertEntry, 8, {device, index}, AlertDescription(code));
  }
}

void NotAnsweringAlert(TreeWriter& out, std::uint32_t device, const std::string& failure) {
  const StatusCodeMapping& alert = kNotAnsweringAlert;
  out.Integer(kAlertEntry, 2, {device, 1}, *AlertSeverityOf(Severity::kNoPrinter));
  out.Integer(kAlertEntry, 3, {device, 1}, alert.trainingLevel);
  out.Integer(kAlertEntry, 4, {device, 1}, alert.alertGroup);
  out.Integer(kAlertEntry, 5, {device, 1}, -1);
  out.Integer(kAlertEntry, 6, {device, 1}, -1);
  out.Integer(kAlertEntry, 7, {device, 1}, alert.alertCode);
  out.String(kAlertEntry, 8, {device, 1}, "the printer does not answer: " + failure);
}

// Every supply of information page 1; unread, each level unknown.
void Supplies(TreeWriter& out, std::uint32_t device, const PrinterState* printer) {
  const std::span<const SupplyMapping> supplies = SupplyMappings();
  std::uint32_t colorant = 0;
  for (std::size_t i = 0; i < supplies.size(); ++i) {
    const SupplyMapping& supply = supplies[i];
    const SupplyField& field = kSupplyFields[i];
    const std::uint32_t index = static_cast<std::uint32_t>(i + 1);
    int level = prt::kLevelUnknown;
    if (printer) {
      const SupplyStateMapping& state = MappingOfSupplyState(StateOf(*printer, field.state));
      level = state.level;
      if (state.levelFromPercent)
        if (const std::optional<double> percent =
                RemainingPercent(*printer, field.state, field.remaining))
          level = static_cast<int>(std::lround(*percent));
    }
    if (supply.colorant) ++colorant;
    out.Integer(kSuppliesEntry, 2, {device, index}, kMarker);
    out.Integer(kSuppliesEntry, 3, {device, index}, supply.colorant ? int(colorant) : 0);
    out.Integer(kSuppliesEntry, 4, {device, index}, prt::kSupplyThatIsConsumed);
    out.Integer(kSuppliesEntry, 5, {device, index}, supply.type);
    out.String(kSuppliesEntry, 6, {device, index}, supply.description);
    out.Integer(kSuppliesEntry, 7, {device, index}, prt::kUnitPercent);
    out.Integer(kSuppliesEntry, 8, {device, index}, 100);
    out.Integer(kSuppliesEntry, 9, {device, index}, level);
    if (supply.colorant) {
      out.Integer(kColorantEntry, 2, {device, colorant}, kMarker);
      out.Integer(kColorantEntry, 3, {device, colorant}, prt::kColorantProcess);
      out.String(kColorantEntry, 4, {device, colorant}, supply.colorant);
    }
  }
}

void PrinterRows(TreeWriter& out, const SnmpPrinter& printer) {
  const auto device = static_cast<std::uint32_t>(printer.index);
  out.String(kGeneralEntry, 16, {device}, kPrinterName);
  out.String(kGeneralEntry, 17, {device}, printer.serial);
  out.Integer(kMarkerEntry, 2, {device, kMarker}, prt::kElectrophotographicLaser);
  out.Integer(kMarkerEntry, 3, {device, kMarker}, prt::kUnitImpressions);
  out.Integer(kMarkerEntry, 6, {device, kMarker}, 4);  // process colorants
  Supplies(out, device, printer.reading);
  const PrinterMibState state =
      printer.reading ? PrinterMibStateOf(*printer.reading) : NotAnsweringMibState();
  out.Integer(kHrPrinterEntry, 1, {device}, static_cast<int>(state.printerStatus));
  out.Octets(kHrPrinterEntry, 2, {device}, DetectedErrorOctets(state.errors));
  if (!printer.reading) {
    NotAnsweringAlert(out, device, printer.failure);
    return;
  }
  if (const std::optional<double> pages = FieldNumber(*printer.reading, FaceTotalField());
      pages && *pages >= 0 && *pages <= 4294967295.0)
    out.Counter(kMarkerEntry, 4, {device, kMarker}, static_cast<std::uint32_t>(*pages));
  const std::vector<std::string> lines = ConsoleLines(printer.reading->status);
  for (std::size_t line = 0; line < lines.size(); ++line)
    out.String(kConsoleEntry, 2, {device, static_cast<std::uint32_t>(kConsole + line)},
               lines[line]);
  Alerts(out, device, *printer.reading);
}

}  // namespace

std::optional<Oid> ParseOid(std::string_view text) {
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  Oid oid;
  while (!text.empty()) {
    std::uint32_t arc = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), arc);
    if (error != std::errc() || end == text.data() ||
        (*text.data() == '0' && end - text.data() > 1))
      return std::nullopt;
    oid.push_back(arc);
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (text.empty()) break;
    if (text.front() != '.' || text.size() == 1) return std::nullopt;
    text.remove_prefix(1);
  }
  if (oid.empty()) return std::nullopt;
  return oid;
}

std::string OidText(const Oid& oid) {
  std::string text;
  for (const std::uint32_t arc : oid) text += "." + std::to_string(arc);
  return text;
}

SnmpTree BuildSnmpTree(std::span<const SnmpPrinter> printers) {
  SnmpTree tree;
  TreeWriter out(tree);
  for (const SnmpPrinter& printer : printers) PrinterRows(out, printer);
  return tree;
}
