#include "cli/check_command.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cli/printer_values.h"
#include "printer/printer_info.h"
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
  return text.empty() ? "status " + StatusCode(status, i) : text;
}

struct Gauge {
  std::string label;  // in the perfdata
  std::string name;   // in the text
  std::optional<double> percent;
};

std::vector<Gauge> SupplyGauges(const PrinterState& printer) {
  std::vector<Gauge> gauges;
  for (const TonerSlot& slot : TonerSlots())
    gauges.push_back({std::string("toner_") + slot.name, std::string(slot.name) + " toner",
                      RemainingPercent(printer, slot.stateField, slot.remainingField)});
  const TonerSlot& imaging = ImagingCartridge();
  gauges.push_back({imaging.name, "imaging cartridge",
                    RemainingPercent(printer, imaging.stateField, imaging.remainingField)});
  return gauges;
}

}  // namespace

ReadParts CheckParts() {
  ReadParts parts;
  parts.status = parts.supplies = parts.counters = true;
  return parts;
}

PluginResult CheckPrinter(const PrinterReading& reading, const CheckThresholds& thresholds) {
  PluginState state = kPluginOk;
  std::vector<std::string> texts;
  const StatusList& status = reading.printer.status;
  for (int i = 0; i < status.count; ++i) {
    const PluginState codeState = StateOfSeverity(SeverityOfCode(StatusCodeAt(status, i)));
    if (codeState == kPluginOk) continue;
    state = std::max(state, codeState);
    const std::string text = CodeText(status, i);
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
  }

  // Nagios ranges: "20:" alerts below 20.
  const std::string levels =
      ";" + NumberText(thresholds.warning) + ":;" + NumberText(thresholds.critical) + ":;0;100";
  std::string perfdata;
  for (const Gauge& gauge : SupplyGauges(reading.printer)) {
    if (!gauge.percent) continue;
    const double percent = *gauge.percent;
    PluginState gaugeState = percent < thresholds.critical  ? kPluginCritical
                             : percent < thresholds.warning ? kPluginWarning
                                                            : kPluginOk;
    if (gaugeState != kPluginOk) {
      state = std::max(state, gaugeState);
      texts.push_back(gauge.name + " " + NumberText(percent) + "%");
    }
    perfdata += " '" + gauge.label + "'=" + NumberText(percent) + "%" + levels;
  }
  if (const std::optional<double> pages = FieldNumber(reading.printer, FaceTotalField()))
    perfdata += " 'pages'=" + NumberText(*pages) + "c";

  std::string text;
  for (const std::string& part : texts) text += (text.empty() ? "" : ", ") + part;
  if (text.empty()) text = "ready";
  std::string line = std::string("TARNLOW ") + StateName(state) + " - " + text;
  if (!perfdata.empty()) line += " |" + perfdata;
  return {state, line};
}

PluginResult UnknownResult(const std::string& why) {
  return {kPluginUnknown, std::string("TARNLOW UNKNOWN - ") + PluginText(why)};
}
