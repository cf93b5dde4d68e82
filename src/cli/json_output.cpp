#include "cli/json_output.h"

#include <nlohmann/json.hpp>

#include "cli/printer_values.h"
#include "cli/valid_utf8.h"
#include "printer/printer_info.h"
#include "printer/printer_severity.h"
#include "printer/status_messages.h"
#include "printer/status_severity.h"

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OrNull(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

// A number the printer reports as an integer stays one in the output.
Json Number(const std::optional<double>& value) {
  if (!value) return nullptr;
  const double v = *value;
  // The range first: casting a larger number to an integer is undefined.
  if (v > -1e15 && v < 1e15 && v == static_cast<double>(static_cast<long long>(v)))
    return static_cast<long long>(v);
  return v;
}

Json NamedNumbers(const PrinterState& printer, std::span<const NamedField> fields) {
  Json object = Json::object();
  for (const NamedField& field : fields) object[field.name] = Number(FieldNumber(printer, field));
  return object;
}

Json Status(const StatusList& status) {
  Json codes = Json::array();
  for (int i = 0; i < status.count; ++i) {
    const char* code = StatusCodeAt(status, i);
    Json lines = Json::array();
    if (const std::optional<PanelMessage> message = LookupStatusMessage(code))
      for (const PanelLine& line : {message->line1, message->line2})
        if (line.stringId) lines.push_back(ComposePanelLine(line));
    codes.push_back({{"code", std::string(StatusCodeText(status, i))},
                     {"severity", SeverityName(SeverityOfCode(code))},
                     {"lines", lines}});
  }
  return codes;
}

Json Supply(const PrinterState& ctx, const TonerSlot& slot) {
  const std::optional<SupplyState> state = StateOf(ctx, slot.stateField);
  Json supply = {
      {"state", state ? Json(SupplyStateName(*state)) : Json(nullptr)},
      {"severity", SeverityName(SeverityOfSupplyState(state))},
      {"remaining_percent", Number(RemainingPercent(ctx, slot.stateField, slot.remainingField))}};
  if (slot.typeField >= 0) {
    const std::optional<CartridgeType> type =
        state == SupplyState::Unknown
            ? std::nullopt
            : ParseCartridgeType(PageField(ctx, kTonerPageNumber, slot.typeField));
    supply["cartridge_type"] = type ? Json(CartridgeTypeName(*type)) : Json(nullptr);
  }
  return supply;
}

Json Supplies(const PrinterState& printer) {
  Json toner = Json::object();
  for (const TonerSlot& slot : TonerSlots()) toner[slot.name] = Supply(printer, slot);
  return {{"toner", toner}, {ImagingCartridge().name, Supply(printer, ImagingCartridge())}};
}

Json CounterRecord(const std::int32_t* items, int count) {
  Json record = Json::array();
  for (int i = 0; i < count; ++i) record.push_back(items ? Json(items[i]) : Json(nullptr));
  return record;
}

Json Counters(const PrinterState& printer) {
  Json counters = {{"faces", NamedNumbers(printer, FaceCounterFields())},
                   {"sheets_by_tray", NamedNumbers(printer, TraySheetFields())}};
  counters["replacement"] =
      CounterRecord(printer.replacementCounts ? printer.replacementCounts->item : nullptr,
                    kReplacementCountItems);
  counters["application"] =
      CounterRecord(printer.applicationCounts ? printer.applicationCounts->item : nullptr,
                    kApplicationCountItems);
  return counters;
}

Json Coverage(const PrinterState& printer) {
  return {{"normalized_faces", NamedNumbers(printer, NormalizedFaceFields())},
          {"normalized_coverage", NamedNumbers(printer, NormalizedCoverageFields())},
          {"current_cartridge_percent", NamedNumbers(printer, AverageCoverageFields())},
          {"last_job_percent", NamedNumbers(printer, LastJobCoverageFields())}};
}

Json Machine(const PrinterState& printer) {
  Json machine = {{"serial", OrNull(FieldText(printer, kMachinePageNumber, MACHINESERIAL))},
                  {"energy_save", printer.energySave != 0},
                  {"energy_save_minutes", Number(EnergySaveMinutes(printer))}};
  for (const NamedSwitch& setting : MachineSwitches(printer)) machine[setting.name] = setting.on;
  return machine;
}

Json Firmware(const PrinterState& printer) {
  Json firmware = Json::object();
  for (const NamedField& field : FirmwareFields())
    firmware[field.name] = OrNull(FieldText(printer, field.page, field.field));
  return firmware;
}

const char* AccessName(PrinterAccess access) {
  switch (access) {
    case PrinterAccess::Granted: return "can_be_opened";
    case PrinterAccess::Denied: return "no_permission";
    case PrinterAccess::Failed: break;
  }
  return "cannot_be_opened";
}

// Every text as valid UTF-8: the printer's bytes need not be.
void MakeTextsValid(Json& value) {
  if (value.is_string())
    value = ValidUtf8(value.get_ref<const std::string&>());
  else if (value.is_structured())
    for (Json& item : value) MakeTextsValid(item);
}

}  // namespace

std::string JsonOutput(ReadingCommand command, const PrinterReading& reading, bool compact) {
  const PrinterState& printer = reading.printer;
  Json out = {{"schema", kJsonSchemaVersion}};
  switch (command) {
    case ReadingCommand::Status:
      out["command"] = "status";
      out["severity"] = SeverityName(SeverityOf(printer));
      out["status"] = Status(printer.status);
      break;
    case ReadingCommand::Supplies:
      out["command"] = "supplies";
      out["severity"] = SeverityName(SeverityOf(printer));
      out["supplies"] = Supplies(printer);
      break;
    case ReadingCommand::Counters:
      out["command"] = "counters";
      out["counters"] = Counters(printer);
      break;
    case ReadingCommand::Config:
      out["command"] = "config";
      out["severity"] = SeverityName(SeverityOf(printer));
      out["status"] = Status(printer.status);
      out["supplies"] = Supplies(printer);
      out["coverage"] = Coverage(printer);
      out["counters"] = Counters(printer);
      out["paper"] = {{"sizes", NamedNumbers(printer, PaperSizeFields())},
                      {"types", NamedNumbers(printer, PaperTypeFields())}};
      out["machine"] = Machine(printer);
      out["firmware"] = Firmware(printer);
      out["adjustment"] = NamedNumbers(printer, AdjustmentFields());
      break;
  }
  MakeTextsValid(out);
  return out.dump(compact ? -1 : 2) + "\n";
}

std::string JsonUnreadable(const std::string& reason) {
  const Json out = {{"schema", kJsonSchemaVersion}, {"command", "status"}, {"error", reason}};
  return out.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string JsonPrinterList(const std::vector<PresentPrinter>& printers) {
  Json list = Json::array();
  for (const PresentPrinter& printer : printers)
    list.push_back({{"location", printer.location},
                    {"serial", printer.serial},
                    {"access", AccessName(printer.access)}});
  Json out = {{"schema", kJsonSchemaVersion}, {"command", "list"}, {"printers", list}};
  MakeTextsValid(out);
  return out.dump(2) + "\n";
}
