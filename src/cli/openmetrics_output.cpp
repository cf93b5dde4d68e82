#include "cli/openmetrics_output.h"

#include <set>
#include <utility>
#include <vector>

#include "cli/printer_values.h"
#include "printer/printer_info.h"

namespace {

using Labels = std::vector<std::pair<std::string, std::string>>;

// The printer's bytes as a label value: valid UTF-8 (anything else becomes
// U+FFFD), with backslash, quote and line feed escaped.
std::string LabelValue(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3
                               : (c >> 3) == 30 ? 4 : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k)
      valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (!valid) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (c == '\\') out += "\\\\";
    else if (c == '"') out += "\\\"";
    else if (c == '\n') out += "\\n";
    else out.append(text, i, length);
    i += length;
  }
  return out;
}

class Exposition {
 public:
  // Starts a family: its HELP, TYPE and, for a unit, UNIT lines.
  void Family(const std::string& name, const char* type, const char* help,
              const char* unit = nullptr) {
    counter_ = std::string(type) == "counter";
    sampleName_ = counter_ ? name + "_total" : name;
    out_ += "# TYPE " + name + " " + type + "\n";
    if (unit) out_ += "# UNIT " + name + " " + unit + "\n";
    out_ += "# HELP " + name + " " + help + "\n";
  }

  void Sample(const Labels& labels, double value) {
    // A counter below zero makes the whole scrape invalid: no sample, as for
    // a value that is no number.
    if (counter_ && value < 0) return;
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
  void NamedSamples(const AppContext& ctx, const char* label, std::span<const NamedField> fields,
                    double scale = 1) {
    for (const NamedField& field : fields)
      if (const std::optional<double> value = FieldNumber(ctx, field))
        Sample({{label, field.name}}, *value * scale);
  }

  std::string Finish() { return out_ + "# EOF\n"; }

 private:
  std::string out_;
  std::string sampleName_;
  bool counter_ = false;
};

void StatusFamilies(Exposition& out, const StatusList& status) {
  out.Family("vantrel_status_code", "gauge", "Status codes the printer reports now (1 each).");
  std::set<std::string> seen;  // a code reported twice is one sample
  for (int i = 0; i < status.count; ++i) {
    const std::string text = StatusCode(status, i);
    if (seen.insert(text).second) out.Sample({{"code", text}}, 1);
  }
}

void SupplyFamilies(Exposition& out, const AppContext& ctx) {
  out.Family("vantrel_toner_remaining_ratio", "gauge", "Toner remaining in each cartridge.",
             "ratio");
  for (const TonerSlot& slot : TonerSlots())
    if (auto percent = RemainingPercent(ctx, slot.stateField, slot.remainingField))
      out.Sample({{"colour", slot.colour}}, *percent / 100);
  out.Family("vantrel_imaging_cartridge_remaining_ratio", "gauge",
             "Imaging cartridge life remaining.", "ratio");
  if (auto percent = RemainingPercent(ctx, CONSUMEICSTATE, CONSUMEICREMAIN))
    out.Sample({}, *percent / 100);
  out.Family("vantrel_supply_state", "gauge",
             "State of each supply (1 for the state it is in).");
  for (const TonerSlot& slot : TonerSlots())
    if (auto state = StateOf(ctx, slot.stateField))
      out.Sample({{"supply", slot.colour}, {"state", SupplyStateName(*state)}}, 1);
  if (auto state = StateOf(ctx, CONSUMEICSTATE))
    out.Sample({{"supply", "imaging_cartridge"}, {"state", SupplyStateName(*state)}}, 1);
}

void CounterFamilies(Exposition& out, const AppContext& ctx) {
  out.Family("vantrel_pages", "counter", "Faces printed, by kind.");
  out.NamedSamples(ctx, "kind", FaceCounterFields());
  out.Family("vantrel_tray_sheets", "counter", "Sheets printed, by paper tray.");
  out.NamedSamples(ctx, "tray", TraySheetFields());
  out.Family("vantrel_replacement_count", "gauge", "The replacement counter record, by item.");
  if (ctx.replacementCounts)
    for (int i = 0; i < kReplacementCountItems; ++i)
      out.Sample({{"item", std::to_string(i + 1)}}, ctx.replacementCounts->item[i]);
  out.Family("vantrel_application_count", "gauge", "The application counter record, by item.");
  if (ctx.applicationCounts)
    for (int i = 0; i < kApplicationCountItems; ++i)
      out.Sample({{"item", std::to_string(i + 1)}}, ctx.applicationCounts->item[i]);
}

}  // namespace

std::string OpenMetricsOutput(ReadingCommand command, const PrinterReading& reading) {
  const AppContext& ctx = reading.context();
  Exposition out;
  out.Family("vantrel_up", "gauge", "1 when the printer answered.");
  out.Sample({}, 1);
  switch (command) {
    case ReadingCommand::Status: StatusFamilies(out, reading.status); break;
    case ReadingCommand::Supplies: SupplyFamilies(out, ctx); break;
    case ReadingCommand::Counters: CounterFamilies(out, ctx); break;
    case ReadingCommand::Config: {
      out.Family("vantrel_info", "gauge", "The printer's serial number and firmware versions.");
      out.Sample({{"model", "Tarnlow"},
                  {"serial", FieldText(ctx, kMachinePageNumber, MACHINESERIAL).value_or("")},
                  {"firmware", FieldText(ctx, kMachinePageNumber, MACHINEVERSIONFW).value_or("")},
                  {"engine", FieldText(ctx, kMachinePageNumber, MACHINEVERSIONENGINE).value_or("")},
                  {"boot", FieldText(ctx, kMachinePageNumber, MACHINEVERSIONBOOT).value_or("")}},
                 1);
      StatusFamilies(out, reading.status);
      SupplyFamilies(out, ctx);
      CounterFamilies(out, ctx);
      out.Family("vantrel_sheets_by_size", "counter", "Sheets printed, by paper size.");
      out.NamedSamples(ctx, "size", PaperSizeFields());
      out.Family("vantrel_sheets_by_type", "counter", "Sheets printed, by paper type.");
      out.NamedSamples(ctx, "type", PaperTypeFields());
      out.Family("vantrel_normalized_faces", "gauge",
                 "Faces printed, converted to A4 equivalents.");
      out.NamedSamples(ctx, "kind", NormalizedFaceFields());
      out.Family("vantrel_normalized_coverage", "gauge",
                 "Normalized coverage as the printer reports it.");
      out.NamedSamples(ctx, "kind", NormalizedCoverageFields());
      out.Family("vantrel_coverage_ratio", "gauge",
                 "Average coverage of the current cartridges and of the last job.", "ratio");
      for (const NamedField& field : AverageCoverageFields())
        if (auto value = FieldNumber(ctx, field))
          out.Sample({{"colour", field.name}, {"scope", "current_cartridge"}}, *value / 100);
      for (const NamedField& field : LastJobCoverageFields())
        if (auto value = FieldNumber(ctx, field))
          out.Sample({{"colour", field.name}, {"scope", "last_job"}}, *value / 100);
      out.Family("vantrel_setting_enabled", "gauge", "The machine settings' switches (1 on).");
      out.Sample({{"setting", "energy_save"}}, ctx.energySave != 0);
      for (const NamedSwitch& setting : MachineSwitches(ctx))
        out.Sample({{"setting", setting.name}}, setting.on);
      out.Family("vantrel_energy_save_delay_seconds", "gauge",
                 "Time without work before energy save mode.", "seconds");
      if (auto minutes = EnergySaveMinutes(ctx)) out.Sample({}, *minutes * 60);
      out.Family("vantrel_adjustment", "gauge", "Engine adjustments, as the window shows them.");
      out.NamedSamples(ctx, "adjustment", AdjustmentFields());
      break;
    }
  }
  return out.Finish();
}
