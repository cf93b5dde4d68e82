#include "cli/metrics_output.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "cli/printer_values.h"
#include "cli/valid_utf8.h"
#include "printer/printer_info.h"
#include "printer/printer_severity.h"
#include "printer/status_severity.h"

namespace {

using Labels = std::vector<std::pair<std::string, std::string>>;

// A label value: valid UTF-8, with backslash, quote and line feed escaped.
std::string LabelValue(const std::string& text) {
  std::string out;
  for (const char c : ValidUtf8(text)) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '"')
      out += "\\\"";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

Labels With(Labels labels, const Labels& more) {
  labels.insert(labels.end(), more.begin(), more.end());
  return labels;
}

class Exposition {
 public:
  explicit Exposition(MetricsFormat format) : format_(format) {}

  // Starts a family; its HELP and TYPE lines (and UNIT in OpenMetrics)
  // come with its first sample, so that a family without one is left out.
  // `name` is without a counter's "_total".
  void Family(const std::string& name, const char* type, const char* help,
              const char* unit = nullptr) {
    counter_ = std::string(type) == "counter";
    sampleName_ = counter_ ? name + "_total" : name;
    // The Prometheus text format types a counter under its sample name.
    const std::string declared = format_ == MetricsFormat::Prometheus ? sampleName_ : name;
    header_ = "# HELP " + declared + " " + help + "\n";
    header_ += "# TYPE " + declared + " " + type + "\n";
    if (unit && format_ == MetricsFormat::OpenMetrics)
      header_ += "# UNIT " + declared + " " + unit + "\n";
  }

  void Sample(const Labels& labels, double value) {
    // A counter below zero makes the whole scrape invalid: no sample, as for
    // a value that is no number.
    if (counter_ && value < 0) return;
    out_ += std::exchange(header_, "");
    std::string line = sampleName_;
    if (!labels.empty()) {
      line += "{";
      for (std::size_t i = 0; i < labels.size(); ++i)
        line += (i ? "," : "") + labels[i].first + "=\"" + LabelValue(labels[i].second) + "\"";
      line += "}";
    }
    out_ += line + " " + NumberText(value) + "\n";
  }

  // One sample per named field that holds a number.
  void NamedSamples(const Labels& base, const PrinterState& state, const char* label,
                    std::span<const NamedField> fields, double scale = 1) {
    for (const NamedField& field : fields)
      if (const std::optional<double> value = FieldNumber(state, field))
        Sample(With(base, {{label, field.name}}), *value * scale);
  }

  std::string Finish() { return format_ == MetricsFormat::OpenMetrics ? out_ + "# EOF\n" : out_; }

 private:
  MetricsFormat format_;
  std::string out_;
  std::string header_;
  std::string sampleName_;
  bool counter_ = false;
};

using Samples = void (*)(Exposition& out, const Labels& printer, const PrinterReading& reading);

struct Family {
  const char* name;
  const char* type;
  const char* help;
  const char* unit;
  Samples samples;
};

void StatusCodes(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  const StatusList& status = reading.printer.status;
  std::set<std::string> seen;  // a code reported twice is one sample
  for (int i = 0; i < status.count; ++i) {
    const std::string code(StatusCodeText(status, i));
    if (!seen.insert(code).second) continue;
    const Severity severity = SeverityOfCode(StatusCodeAt(status, i));
    out.Sample(With(printer, {{"code", code}, {"severity", SeverityName(severity)}}), 1);
  }
}

void StatusSeverity(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.Sample(printer, static_cast<int>(SeverityOf(reading.printer)));
}

void TonerRemaining(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  for (const TonerSlot& slot : TonerSlots())
    if (auto percent = RemainingPercent(reading.printer, slot.stateField, slot.remainingField))
      out.Sample(With(printer, {{"colour", slot.name}}), *percent / 100);
}

void ImagingCartridgeRemaining(Exposition& out, const Labels& printer,
                               const PrinterReading& reading) {
  const TonerSlot& imaging = ImagingCartridge();
  if (auto percent = RemainingPercent(reading.printer, imaging.stateField, imaging.remainingField))
    out.Sample(printer, *percent / 100);
}

// A state set: every state of a supply, 1 for the one it is in.
void SupplyStates(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  constexpr SupplyState kStates[] = {SupplyState::Unknown, SupplyState::Ready, SupplyState::Low,
                                     SupplyState::End, SupplyState::LifeEnd};
  auto states = [&](const char* supply, int stateField) {
    const std::optional<SupplyState> now = StateOf(reading.printer, stateField);
    if (!now) return;
    for (const SupplyState state : kStates)
      out.Sample(With(printer, {{"supply", supply}, {"state", SupplyStateName(state)}}),
                 state == *now);
  };
  for (const TonerSlot& slot : TonerSlots()) states(slot.name, slot.stateField);
  states(ImagingCartridge().name, ImagingCartridge().stateField);
}

void Pages(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "kind", FacePartFields());
}

void TraySheets(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "tray", TraySheetFields());
}

void Record(Exposition& out, const Labels& printer, const std::int32_t* items, int count) {
  if (!items) return;
  for (int i = 0; i < count; ++i)
    out.Sample(With(printer, {{"item", std::to_string(i + 1)}}), items[i]);
}

void ReplacementRecord(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  const ReplacementCounts* record = reading.printer.replacementCounts;
  Record(out, printer, record ? record->item : nullptr, kReplacementCountItems);
}

void ApplicationRecord(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  const ApplicationCounts* record = reading.printer.applicationCounts;
  Record(out, printer, record ? record->item : nullptr, kApplicationCountItems);
}

void Info(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  const PrinterState& state = reading.printer;
  auto text = [&](int field) { return FieldText(state, kMachinePageNumber, field).value_or(""); };
  out.Sample(With(printer, {{"model", "Tarnlow"},
                            {"machine_serial", text(MACHINESERIAL)},
                            {"firmware", text(MACHINEVERSIONFW)},
                            {"engine", text(MACHINEVERSIONENGINE)},
                            {"boot", text(MACHINEVERSIONBOOT)}}),
             1);
}

void SheetsBySize(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "size", PaperSizeFields());
}

void SheetsByType(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "type", PaperTypeFields());
}

void NormalizedFaces(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "kind", NormalizedFacePartFields());
}

void NormalizedCoverage(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "kind", NormalizedCoverageFields(), 0.01);
}

void Coverage(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  for (const NamedField& field : AverageCoverageFields())
    if (auto value = FieldNumber(reading.printer, field))
      out.Sample(With(printer, {{"colour", field.name}, {"scope", "current_cartridge"}}),
                 *value / 100);
  for (const NamedField& field : LastJobCoverageFields())
    if (auto value = FieldNumber(reading.printer, field))
      out.Sample(With(printer, {{"colour", field.name}, {"scope", "last_job"}}), *value / 100);
}

void Settings(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.Sample(With(printer, {{"setting", "energy_save"}}), reading.printer.energySave != 0);
  for (const NamedSwitch& setting : MachineSwitches(reading.printer))
    out.Sample(With(printer, {{"setting", setting.name}}), setting.on);
}

void EnergySaveDelay(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  if (auto minutes = EnergySaveMinutes(reading.printer)) out.Sample(printer, *minutes * 60);
}

void Adjustments(Exposition& out, const Labels& printer, const PrinterReading& reading) {
  out.NamedSamples(printer, reading.printer, "adjustment", AdjustmentFields());
}

constexpr Family kStatus[] = {
    {"vantrel_status_code", "gauge",
     "Status codes the printer reports now (1 each), with their severity.", nullptr, StatusCodes},
    {"vantrel_status_severity", "gauge",
     "The most urgent severity of the printer's status codes and the supplies read: 0 ready, "
     "1 warning, 2 error.",
     nullptr, StatusSeverity},
};

constexpr Family kSupplies[] = {
    {"vantrel_toner_remaining_ratio", "gauge", "Toner remaining in each cartridge.", "ratio",
     TonerRemaining},
    {"vantrel_imaging_cartridge_remaining_ratio", "gauge", "Imaging cartridge life remaining.",
     "ratio", ImagingCartridgeRemaining},
    {"vantrel_supply_state", "gauge",
     "State of each supply: one sample per state, 1 for the state it is in.", nullptr,
     SupplyStates},
};

constexpr Family kCounters[] = {
    {"vantrel_pages", "counter", "Faces printed, colour and monochrome.", nullptr, Pages},
    {"vantrel_tray_sheets", "counter", "Sheets printed, by paper tray.", nullptr, TraySheets},
    {"vantrel_replacement_record", "gauge", "The replacement counter record, by item.", nullptr,
     ReplacementRecord},
    {"vantrel_application_record", "gauge", "The application counter record, by item.", nullptr,
     ApplicationRecord},
};

constexpr Family kConfigOnly[] = {
    {"vantrel_sheets_by_size", "counter", "Sheets printed, by paper size.", nullptr, SheetsBySize},
    {"vantrel_sheets_by_type", "counter", "Sheets printed, by paper type.", nullptr, SheetsByType},
    {"vantrel_normalized_faces", "gauge",
     "Faces printed, converted to A4 equivalents, colour and monochrome.", nullptr,
     NormalizedFaces},
    {"vantrel_normalized_coverage_ratio", "gauge",
     "Coverage of the faces printed, converted to A4 equivalents.", "ratio", NormalizedCoverage},
    {"vantrel_coverage_ratio", "gauge",
     "Average coverage of the current cartridges and of the last job.", "ratio", Coverage},
    {"vantrel_setting_enabled", "gauge", "The machine settings' switches (1 on).", nullptr,
     Settings},
    {"vantrel_energy_save_delay_seconds", "gauge", "Time without work before energy save mode.",
     "seconds", EnergySaveDelay},
    {"vantrel_adjustment", "gauge", "Engine adjustments, as the window shows them.", nullptr,
     Adjustments},
};

constexpr Family kInfo[] = {
    {"vantrel_info", "gauge", "The printer's model, serial number and firmware versions.", nullptr,
     Info},
};

// A printer's labels: its serial number, and its location where that alone
// does not tell it apart.
struct LabelledPrinter {
  Labels labels;
  const PrinterReading* reading;
};

std::vector<LabelledPrinter> Labelled(std::span<const PrinterMetrics> printers) {
  const std::set<std::string> shared = SharedSerials(printers);
  std::vector<LabelledPrinter> labelled;
  for (const PrinterMetrics& printer : printers) {
    Labels labels{{"serial", printer.serial}};
    const bool ambiguous = printer.serial.empty() || shared.contains(printer.serial);
    if ((ambiguous || printer.gone) && !printer.location.empty())
      labels.emplace_back("location", printer.location);
    labelled.push_back({std::move(labels), printer.reading});
  }
  return labelled;
}

void Families(Exposition& out, std::span<const Family> families,
              std::span<const LabelledPrinter> printers) {
  for (const Family& family : families) {
    out.Family(family.name, family.type, family.help, family.unit);
    for (const LabelledPrinter& printer : printers)
      if (printer.reading) family.samples(out, printer.labels, *printer.reading);
  }
}

}  // namespace

std::set<std::string> SharedSerials(std::span<const PrinterMetrics> printers) {
  std::set<std::string> seen, shared;
  for (const PrinterMetrics& printer : printers)
    if (!printer.gone && !seen.insert(printer.serial).second) shared.insert(printer.serial);
  return shared;
}

std::string MetricsOutput(ReadingCommand command, std::span<const PrinterMetrics> printers,
                          MetricsFormat format) {
  const std::vector<LabelledPrinter> labelled = Labelled(printers);
  Exposition out(format);
  out.Family("vantrel_up", "gauge", "1 when the printer answered, 0 when it could not be read.");
  // No printer at all: the host's own sample, so that the file still says so.
  if (labelled.empty()) out.Sample({}, 0);
  for (const LabelledPrinter& printer : labelled)
    out.Sample(printer.labels, printer.reading != nullptr);
  switch (command) {
    case ReadingCommand::Status: Families(out, kStatus, labelled); break;
    case ReadingCommand::Supplies: Families(out, kSupplies, labelled); break;
    case ReadingCommand::Counters: Families(out, kCounters, labelled); break;
    case ReadingCommand::Config:
      Families(out, kInfo, labelled);
      Families(out, kStatus, labelled);
      Families(out, kSupplies, labelled);
      Families(out, kCounters, labelled);
      Families(out, kConfigOnly, labelled);
      break;
  }
  return out.Finish();
}
