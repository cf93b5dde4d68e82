#include "cli/check_command.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cli/printer_values.h"
#include "printer/printer_info.h"
#include "printer/printer_severity.h"
#include "printer/status_messages.h"
#include "printer/status_severity.h"

namespace {

const char* StateName(PluginState state) {
  switch (state) {
    case kPluginOk: return "OK";
    case kPluginWarning: return "WARNING";
    case kPluginCritical: return "CRITICAL";
    case kPluginUnknown: break;
  }
  return "UNKNOWN";
}

PluginState StateOfSeverity(Severity severity) {
  switch (severity) {
    case Severity::kReady: return kPluginOk;
    case Severity::kWarning: return kPluginWarning;
    case Severity::kError: return kPluginCritical;
    case Severity::kNoPrinter: break;
  }
  return kPluginUnknown;
}

// The order in which several printers' states give the worst: a printer
// that needs someone before one that cannot be read.
int Urgency(PluginState state) {
  switch (state) {
    case kPluginOk: return 0;
    case kPluginUnknown: return 1;
    case kPluginWarning: return 2;
    case kPluginCritical: return 3;
  }
  return 1;
}

// "|" would start the perfdata early; a line end would end the output.
std::string PluginText(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  for (char& c : text)
    if (c == '|' || c == '\n' || c == '\r') c = '/';
  return text;
}

// The panel's lines of one code, " / " between them; the code itself when
// the panel has no message for it.
std::string CodeText(const StatusList& status, int i) {
  std::string text;
  if (const std::optional<PanelMessage> message = LookupStatusMessage(StatusCodeAt(status, i)))
    for (const PanelLine& line : {message->line1, message->line2})
      if (line.stringId) text += (text.empty() ? "" : " / ") + PluginText(ComposePanelLine(line));
  return text.empty() ? "status " + std::string(StatusCodeText(status, i)) : text;
}

struct Gauge {
  std::string label;  // in the perfdata
  std::string name;   // in the text
  const TonerSlot* slot;
};

std::vector<Gauge> SupplyGauges() {
  std::vector<Gauge> gauges;
  for (const TonerSlot& slot : TonerSlots())
    gauges.push_back({std::string("toner_") + slot.name, std::string(slot.name) + " toner", &slot});
  gauges.push_back({ImagingCartridge().name, "imaging cartridge", &ImagingCartridge()});
  return gauges;
}

// What a supply's state adds to the text when it needs someone.
std::string StateText(const std::optional<SupplyState>& state, const char* code) {
  if (!state) return std::string("in unexplained state ") + code;
  switch (*state) {
    case SupplyState::End: return "empty";
    case SupplyState::LifeEnd: return "at its life end";
    case SupplyState::Unknown: return "in an unknown state";
    default: return "";
  }
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

}  // namespace

ReadParts CheckParts() {
  ReadParts parts;
  parts.status = parts.supplies = parts.counters = true;
  return parts;
}

PrinterVerdict JudgePrinter(const PrinterReading& reading, const CheckThresholds& thresholds,
                            const std::string& label) {
  const PrinterState& printer = reading.printer;
  // A value check sums up that the printer did not send: not "fine".
  std::vector<std::string> missing = MissingSupplyValues(printer);
  if (!FieldNumber(printer, FaceTotalField())) missing.push_back("faces total");
  if (!missing.empty()) return UnknownVerdict("could not read " + Joined(missing));

  PluginState state = kPluginOk;
  std::vector<std::string> texts;
  const StatusList& status = printer.status;
  for (int i = 0; i < status.count; ++i) {
    const PluginState codeState = StateOfSeverity(SeverityOfCode(StatusCodeAt(status, i)));
    if (codeState == kPluginOk) continue;
    state = std::max(state, codeState);
    const std::string text = CodeText(status, i);
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
  }

  const std::string levels =
      ";" + thresholds.warning.Text() + ";" + thresholds.critical.Text() + ";0;100";
  std::string perfdata;
  for (const Gauge& gauge : SupplyGauges()) {
    const TonerSlot& slot = *gauge.slot;
    const std::optional<SupplyState> supplyState = StateOf(printer, slot.stateField);
    const std::optional<double> percent =
        RemainingPercent(printer, slot.stateField, slot.remainingField);
    // The supply by the one severity rule, its percent by the thresholds.
    PluginState gaugeState = StateOfSeverity(SeverityOfSupplyState(supplyState));
    if (percent)
      gaugeState = std::max(gaugeState, thresholds.critical.Alerts(*percent)  ? kPluginCritical
                                        : thresholds.warning.Alerts(*percent) ? kPluginWarning
                                                                              : kPluginOk);
    if (gaugeState != kPluginOk) {
      state = std::max(state, gaugeState);
      const std::string why = StateText(
          supplyState, PluginText(PageField(printer, kTonerPageNumber, slot.stateField)).c_str());
      texts.push_back(gauge.name + " " +
                      (!why.empty() ? why
                       : percent    ? NumberText(*percent) + "%"
                                    : "low"));
    }
    // "U": a value the printer does not give now, in the plugins' perfdata.
    perfdata += " '" + label + gauge.label + "'=";
    perfdata += (percent ? NumberText(*percent) + "%" : "U") + levels;
  }
  perfdata += " '" + label + "pages'=";
  perfdata += NumberText(*FieldNumber(printer, FaceTotalField())) + "c";

  std::string text = Joined(texts);
  if (text.empty()) text = "ready";
  return {state, text, perfdata};
}

PrinterVerdict UnknownVerdict(const std::string& why) {
  return {kPluginUnknown, PluginText(why), ""};
}

PluginResult CheckPrinter(const PrinterReading& reading, const CheckThresholds& thresholds) {
  return SinglePrinterResult(JudgePrinter(reading, thresholds));
}

PluginResult SinglePrinterResult(const PrinterVerdict& verdict) {
  return {verdict.state, std::string("TARNLOW ") + StateName(verdict.state) + " - " + verdict.text +
                             (verdict.perfdata.empty() ? "" : " |" + verdict.perfdata)};
}

PluginResult UnknownResult(const std::string& why) {
  return {kPluginUnknown, std::string("TARNLOW UNKNOWN - ") + PluginText(why)};
}

PluginResult SeveralPrintersResult(
    const std::vector<std::pair<std::string, PrinterVerdict>>& printers) {
  PluginState worst = kPluginOk;
  std::string states, perfdata, lines;
  for (const auto& [name, verdict] : printers) {
    if (Urgency(verdict.state) > Urgency(worst)) worst = verdict.state;
    states += (states.empty() ? "" : ", ") + PluginText(name) + " " + StateName(verdict.state);
    perfdata += verdict.perfdata;
    lines += "\n" + PluginText(name) + ": " + StateName(verdict.state) + " - " + verdict.text;
  }
  return {worst, std::string("TARNLOW ") + StateName(worst) + " - " + states +
                     (perfdata.empty() ? "" : " |" + perfdata) + lines};
}
