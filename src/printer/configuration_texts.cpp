#include "printer/configuration_texts.h"

#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "common/string_table.h"
#include "printer/config_conversions.h"
#include "printer/printer_info.h"
#include "string_ids.h"

namespace {

// A state "0" (not determined) shows "-" for remaining and type; a state
// without a name leaves the status field as it is but shows the rest.
void AddSupplies(std::vector<ConfigFieldText>& texts, const PrinterState& ctx) {
  for (int index = 0; index < static_cast<int>(std::size(kSupplyFields)); ++index) {
    const SupplyField& row = kSupplyFields[index];
    auto set = [&](ValueColumn column, std::string text) {
      texts.push_back({kSuppliesPage, index, column, std::move(text)});
    };
    const bool typed = row.type != kNoSupplyType;
    const char* state = PageField(ctx, kTonerPageNumber, row.state);
    if (auto text = SupplyStateText(state)) set(ValueColumn::SupplyStatus, *text);
    if (std::strcmp(state, "0") == 0) {
      set(ValueColumn::SupplyRemaining, "-");
      if (typed) set(ValueColumn::SupplyType, "-");
      continue;
    }
    set(ValueColumn::SupplyRemaining, PercentText(PageField(ctx, kTonerPageNumber, row.remaining)));
    if (typed)
      set(ValueColumn::SupplyType, CartridgeTypeText(PageField(ctx, kTonerPageNumber, row.type)));
  }
}

std::string EnergySaveText(const PrinterState& ctx, const char* minutes) {
  return ctx.energySave ? minutes : TextOrEmpty(kTextOff);
}

// Nothing for a counter record that was not read: the field keeps its text.
std::optional<std::string> ShownText(const PrinterState& ctx, const ConfigurationField& row) {
  const char* value = PageField(ctx, row.source.page, row.source.field);
  switch (row.shown) {
    case Shown::AsText: return value;
    case Shown::Percent: return PercentText(value);
    case Shown::SwitchOff: return SwitchOffText(value);
    case Shown::SwitchZero: return SwitchZeroText(value);
    case Shown::MinusTopLeftBias:
    case Shown::MinusTransferBias: return BiasedNumberText(value, BiasOf(row.shown));
    case Shown::EnergySave: return EnergySaveText(ctx, value);
    case Shown::ReplacementRecord:
      if (!ctx.replacementCounts) return std::nullopt;
      return CounterLine(ctx.replacementCounts->item);
    case Shown::ApplicationRecord:
      if (!ctx.applicationCounts) return std::nullopt;
      return CounterLine(ctx.applicationCounts->item);
  }
  return value;
}

}  // namespace

std::vector<ConfigFieldText> ConfigurationTexts(const PrinterState& ctx) {
  std::vector<ConfigFieldText> texts;
  AddSupplies(texts, ctx);
  for (int index = 0; index < static_cast<int>(std::size(kConfigurationFields)); ++index) {
    const ConfigurationField& row = kConfigurationFields[index];
    if (std::optional<std::string> text = ShownText(ctx, row))
      texts.push_back({row.page, index, ValueColumn::Value, std::move(*text)});
  }
  return texts;
}
