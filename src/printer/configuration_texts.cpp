#include "printer/configuration_texts.h"

#include <cstring>
#include <span>
#include <utility>

#include "common/string_ids.h"
#include "common/string_table.h"
#include "device/request_catalogue.h"
#include "printer/config_conversions.h"
#include "printer/printer_info.h"

namespace {

// One supplies row: status, remaining and type fields (type 0: none).
struct SupplyRow {
  int statusId, remainingId, typeId;
  int state, remaining, type;  // TonerField
};

constexpr SupplyRow kSupplyRows[] = {
    {1099, 1104, 1109, CONSUMETCSTATEC, CONSUMETCREMAINC, CONSUMETCTYPEC},
    {1100, 1105, 1110, CONSUMETCSTATEM, CONSUMETCREMAINM, CONSUMETCTYPEM},
    {1101, 1106, 1111, CONSUMETCSTATEY, CONSUMETCREMAINY, CONSUMETCTYPEY},
    {1102, 1107, 1112, CONSUMETCSTATEK, CONSUMETCREMAINK, CONSUMETCTYPEK},
    {1103, 1108, 0, CONSUMEICSTATE, CONSUMEICREMAIN, CONSUMEICTYPE},
};

enum class Shown { AsText, Percent, SwitchOff, SwitchZero, MinusTopLeftBias, MinusTransferBias };

// A value field showing one information-page field.
struct ValueRow {
  int fieldId;
  int infoPage;
  int infoField;
  Shown shown;
};

constexpr ValueRow kCoverageValues[] = {
    {1094, kTonerPageNumber, COVERAGETOTALCOLOR, Shown::AsText},
    {1095, kTonerPageNumber, COVERAGETOTALMONO, Shown::AsText},
    {1096, kTonerPageNumber, COVERAGETOTAL, Shown::AsText},
    {1100, kTonerPageNumber, COVERAGECOLOR, Shown::AsText},
    {1101, kTonerPageNumber, COVERAGEMONO, Shown::AsText},
    {1105, kTonerPageNumber, COVERAGEAVERAGEC, Shown::Percent},
    {1106, kTonerPageNumber, COVERAGEAVERAGEM, Shown::Percent},
    {1111, kTonerPageNumber, COVERAGEAVERAGEY, Shown::Percent},
    {1112, kTonerPageNumber, COVERAGEAVERAGEK, Shown::Percent},
    {1115, kTonerPageNumber, COVERAGELASTC, Shown::Percent},
    {1116, kTonerPageNumber, COVERAGELASTM, Shown::Percent},
    {1119, kTonerPageNumber, COVERAGELASTY, Shown::Percent},
    {1120, kTonerPageNumber, COVERAGELASTK, Shown::Percent},
};

constexpr ValueRow kCounterValues[] = {
    {1115, kCountPageNumber, COUNTTOTAL, Shown::AsText},
    {1117, kCountPageNumber, COUNTCOLORPRINT, Shown::AsText},
    {1118, kCountPageNumber, COUNTMONOPRINT, Shown::AsText},
    {1122, kCountPageNumber, COUNTTRAY1, Shown::AsText},
};

constexpr ValueRow kPaperValues[] = {
    {1129, kCountPageNumber, COUNTSIZEA4, Shown::AsText},
    {1130, kCountPageNumber, COUNTSIZEB5, Shown::AsText},
    {1133, kCountPageNumber, COUNTSIZEA5, Shown::AsText},
    {1134, kCountPageNumber, COUNTSIZELEGAL, Shown::AsText},
    {1137, kCountPageNumber, COUNTSIZELETTER, Shown::AsText},
    {1138, kCountPageNumber, COUNTSIZEOTHERS, Shown::AsText},
    {1141, kCountPageNumber, COUNTMEDIAPLAIN, Shown::AsText},
    {1145, kCountPageNumber, COUNTMEDIATHICK, Shown::AsText},
    {1146, kCountPageNumber, COUNTMEDIATHICK2, Shown::AsText},
    {1149, kCountPageNumber, COUNTMEDIAENVELOPE, Shown::AsText},
    {1150, kCountPageNumber, COUNTMEDIALETTERHEAD, Shown::AsText},
    {1153, kCountPageNumber, COUNTMEDIAPOSTCARD, Shown::AsText},
    {1154, kCountPageNumber, COUNTMEDIALABELS, Shown::AsText},
};

// The energy-save row (1145) depends on the switch read at start.
constexpr ValueRow kMachineValues[] = {
    {1144, kMachinePageNumber, MACHINESERIAL, Shown::AsText},
    {1147, kMachinePageNumber, MACHINEAUTOCONTO, Shown::SwitchOff},
    {1148, kMachinePageNumber, MACHINETONEREMPTY, Shown::SwitchOff},
    {1149, kTonerPageNumber, TONERLOWMSG, Shown::SwitchZero},
};

constexpr ValueRow kFirmwareValues[] = {
    {1153, kMachinePageNumber, MACHINEVERSIONENGINE, Shown::AsText},
    {1154, kMachinePageNumber, MACHINEVERSIONBOOT, Shown::AsText},
    {1155, kMachinePageNumber, MACHINEVERSIONFW, Shown::AsText},
};

constexpr ValueRow kAdjustmentValues[] = {
    {1165, kAdjustPageNumber, ADJTOPPLAIN, Shown::MinusTopLeftBias},
    {1167, kAdjustPageNumber, ADJTOPTHICK, Shown::MinusTopLeftBias},
    {1169, kAdjustPageNumber, ADJTOPENVELOPE, Shown::MinusTopLeftBias},
    {1172, kAdjustPageNumber, ADJLEFTFRONT, Shown::MinusTopLeftBias},
    {1176, kAdjustPageNumber, ADJIMAGE, Shown::AsText},
    {1179, kAdjustPageNumber, ADJTRANSPLAINFRONT, Shown::MinusTransferBias},
    {1181, kAdjustPageNumber, ADJTRANSTHICK1, Shown::MinusTransferBias},
    {1183, kAdjustPageNumber, ADJTRANSTHICK2, Shown::MinusTransferBias},
    {1184, kAdjustPageNumber, ADJTRANSPOSTCARD, Shown::MinusTransferBias},
    {1187, kAdjustPageNumber, ADJTRANSENVELOPE, Shown::MinusTransferBias},
    {1188, kAdjustPageNumber, ADJTRANSLABEL, Shown::MinusTransferBias},
};

std::string Convert(const char* value, Shown shown) {
  switch (shown) {
    case Shown::AsText: return value;
    case Shown::Percent: return PercentText(value);
    case Shown::SwitchOff: return SwitchOffText(value);
    case Shown::SwitchZero: return SwitchZeroText(value);
    case Shown::MinusTopLeftBias: return BiasedNumberText(value, kTopLeftBias);
    case Shown::MinusTransferBias: return BiasedNumberText(value, kTransferBias);
  }
  return value;
}

// Collects the texts in the order the window sets them.
class TextList {
 public:
  explicit TextList(int page, std::vector<ConfigFieldText>& out) : page_(page), out_(out) {}
  void Set(int fieldId, std::string text) { out_.push_back({page_, fieldId, std::move(text)}); }

 private:
  int page_;
  std::vector<ConfigFieldText>& out_;
};

void AddValues(TextList texts, const AppContext& ctx, std::span<const ValueRow> rows) {
  for (const ValueRow& row : rows)
    texts.Set(row.fieldId, Convert(PageField(ctx, row.infoPage, row.infoField), row.shown));
}

// A state "0" (not determined) shows "-" for remaining and type; a state
// without a name leaves the status field as it is but shows the rest.
void AddSupplies(TextList texts, const AppContext& ctx) {
  for (const SupplyRow& row : kSupplyRows) {
    const char* state = PageField(ctx, kTonerPageNumber, row.state);
    if (auto text = SupplyStateText(state)) texts.Set(row.statusId, *text);
    if (std::strcmp(state, "0") == 0) {
      texts.Set(row.remainingId, "-");
      if (row.typeId) texts.Set(row.typeId, "-");
      continue;
    }
    texts.Set(row.remainingId, PercentText(PageField(ctx, kTonerPageNumber, row.remaining)));
    if (row.typeId)
      texts.Set(row.typeId, CartridgeTypeText(PageField(ctx, kTonerPageNumber, row.type)));
  }
}

void AddCounterLines(TextList texts, const AppContext& ctx) {
  if (ctx.replacementCounts) texts.Set(1121, CounterLine(ctx.replacementCounts->item));
  if (ctx.applicationCounts) texts.Set(1123, CounterLine(ctx.applicationCounts->item));
}

void AddEnergySave(TextList texts, const AppContext& ctx) {
  const char* off = LoadText(kTextOff);
  texts.Set(1145, ctx.energySave ? PageField(ctx, kMachinePageNumber, MACHINEENERGYSAVE)
                                 : off ? off : "");
}

}  // namespace

std::vector<ConfigFieldText> ConfigurationTexts(const AppContext& ctx) {
  std::vector<ConfigFieldText> texts;
  AddSupplies(TextList(kSuppliesPage, texts), ctx);
  AddValues(TextList(kCoveragePage, texts), ctx, kCoverageValues);
  AddValues(TextList(kCounterPage, texts), ctx, kCounterValues);
  AddCounterLines(TextList(kCounterPage, texts), ctx);
  AddValues(TextList(kPaperPage, texts), ctx, kPaperValues);
  AddValues(TextList(kMachineSettingPage, texts), ctx, kMachineValues);
  AddEnergySave(TextList(kMachineSettingPage, texts), ctx);
  AddValues(TextList(kFirmwarePage, texts), ctx, kFirmwareValues);
  AddValues(TextList(kAdjustmentPage, texts), ctx, kAdjustmentValues);
  return texts;
}
