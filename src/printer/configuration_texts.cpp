#include "printer/configuration_texts.h"

#include <cstring>
#include <span>
#include <utility>

#include "common/string_table.h"
#include "device/request_catalogue.h"
#include "printer/config_conversions.h"
#include "printer/printer_info.h"
#include "layouts/control_ids.h"
#include "string_ids.h"

namespace {

// One supplies row: status, remaining and type fields (type 0: none).
struct SupplyRow {
  int statusId, remainingId, typeId;
  int state, remaining, type;  // TonerField
};

constexpr SupplyRow kSupplyRows[] = {
    {kSuppliesCyanStatus, kSuppliesCyanRemaining, kSuppliesCyanType, CONSUMETCSTATEC,
     CONSUMETCREMAINC, CONSUMETCTYPEC},
    {kSuppliesMagentaStatus, kSuppliesMagentaRemaining, kSuppliesMagentaType, CONSUMETCSTATEM,
     CONSUMETCREMAINM, CONSUMETCTYPEM},
    {kSuppliesYellowStatus, kSuppliesYellowRemaining, kSuppliesYellowType, CONSUMETCSTATEY,
     CONSUMETCREMAINY, CONSUMETCTYPEY},
    {kSuppliesBlackStatus, kSuppliesBlackRemaining, kSuppliesBlackType, CONSUMETCSTATEK,
     CONSUMETCREMAINK, CONSUMETCTYPEK},
    {kSuppliesImagingStatus, kSuppliesImagingRemaining, 0, CONSUMEICSTATE, CONSUMEICREMAIN,
     CONSUMEICTYPE},
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
    {kCoverageColorFaces, kTonerPageNumber, COVERAGETOTALCOLOR, Shown::AsText},
    {kCoverageMonoFaces, kTonerPageNumber, COVERAGETOTALMONO, Shown::AsText},
    {kCoverageTotalFaces, kTonerPageNumber, COVERAGETOTAL, Shown::AsText},
    {kCoverageColor, kTonerPageNumber, COVERAGECOLOR, Shown::AsText},
    {kCoverageMono, kTonerPageNumber, COVERAGEMONO, Shown::AsText},
    {kCoverageCurrentCyan, kTonerPageNumber, COVERAGEAVERAGEC, Shown::Percent},
    {kCoverageCurrentMagenta, kTonerPageNumber, COVERAGEAVERAGEM, Shown::Percent},
    {kCoverageCurrentYellow, kTonerPageNumber, COVERAGEAVERAGEY, Shown::Percent},
    {kCoverageCurrentBlack, kTonerPageNumber, COVERAGEAVERAGEK, Shown::Percent},
    {kCoverageLastJobCyan, kTonerPageNumber, COVERAGELASTC, Shown::Percent},
    {kCoverageLastJobMagenta, kTonerPageNumber, COVERAGELASTM, Shown::Percent},
    {kCoverageLastJobYellow, kTonerPageNumber, COVERAGELASTY, Shown::Percent},
    {kCoverageLastJobBlack, kTonerPageNumber, COVERAGELASTK, Shown::Percent},
};

constexpr ValueRow kCounterValues[] = {
    {kCounterTotal, kCountPageNumber, COUNTTOTAL, Shown::AsText},
    {kCounterColor, kCountPageNumber, COUNTCOLORPRINT, Shown::AsText},
    {kCounterMono, kCountPageNumber, COUNTMONOPRINT, Shown::AsText},
    {kCounterTray1, kCountPageNumber, COUNTTRAY1, Shown::AsText},
};

constexpr ValueRow kPaperValues[] = {
    {kPaperA4, kCountPageNumber, COUNTSIZEA4, Shown::AsText},
    {kPaperB5, kCountPageNumber, COUNTSIZEB5, Shown::AsText},
    {kPaperA5, kCountPageNumber, COUNTSIZEA5, Shown::AsText},
    {kPaperLegal, kCountPageNumber, COUNTSIZELEGAL, Shown::AsText},
    {kPaperLetter, kCountPageNumber, COUNTSIZELETTER, Shown::AsText},
    {kPaperOtherSizes, kCountPageNumber, COUNTSIZEOTHERS, Shown::AsText},
    {kPaperPlain, kCountPageNumber, COUNTMEDIAPLAIN, Shown::AsText},
    {kPaperThick1, kCountPageNumber, COUNTMEDIATHICK, Shown::AsText},
    {kPaperThick2, kCountPageNumber, COUNTMEDIATHICK2, Shown::AsText},
    {kPaperEnvelope, kCountPageNumber, COUNTMEDIAENVELOPE, Shown::AsText},
    {kPaperLetterhead, kCountPageNumber, COUNTMEDIALETTERHEAD, Shown::AsText},
    {kPaperPostcard, kCountPageNumber, COUNTMEDIAPOSTCARD, Shown::AsText},
    {kPaperLabels, kCountPageNumber, COUNTMEDIALABELS, Shown::AsText},
};

// The energy-save row (kMachineEnergySave) depends on the switch read at start.
constexpr ValueRow kMachineValues[] = {
    {kMachineSerial, kMachinePageNumber, MACHINESERIAL, Shown::AsText},
    {kMachineAutoContinue, kMachinePageNumber, MACHINEAUTOCONTO, Shown::SwitchOff},
    {kMachineTonerOutStop, kMachinePageNumber, MACHINETONEREMPTY, Shown::SwitchOff},
    {kMachineTonerLow, kTonerPageNumber, TONERLOWMSG, Shown::SwitchZero},
};

constexpr ValueRow kFirmwareValues[] = {
    {kFirmwareEngine, kMachinePageNumber, MACHINEVERSIONENGINE, Shown::AsText},
    {kFirmwareBoot, kMachinePageNumber, MACHINEVERSIONBOOT, Shown::AsText},
    {kFirmwareController, kMachinePageNumber, MACHINEVERSIONFW, Shown::AsText},
};

constexpr ValueRow kAdjustmentValues[] = {
    {kAdjustTopPlain, kAdjustPageNumber, ADJTOPPLAIN, Shown::MinusTopLeftBias},
    {kAdjustTopThick, kAdjustPageNumber, ADJTOPTHICK, Shown::MinusTopLeftBias},
    {kAdjustTopEnvelope, kAdjustPageNumber, ADJTOPENVELOPE, Shown::MinusTopLeftBias},
    {kAdjustLeftTray1, kAdjustPageNumber, ADJLEFTFRONT, Shown::MinusTopLeftBias},
    {kAdjustImage, kAdjustPageNumber, ADJIMAGE, Shown::AsText},
    {kAdjustTransferPlain, kAdjustPageNumber, ADJTRANSPLAINFRONT, Shown::MinusTransferBias},
    {kAdjustTransferThick1, kAdjustPageNumber, ADJTRANSTHICK1, Shown::MinusTransferBias},
    {kAdjustTransferThick2, kAdjustPageNumber, ADJTRANSTHICK2, Shown::MinusTransferBias},
    {kAdjustTransferPostcard, kAdjustPageNumber, ADJTRANSPOSTCARD, Shown::MinusTransferBias},
    {kAdjustTransferEnvelope, kAdjustPageNumber, ADJTRANSENVELOPE, Shown::MinusTransferBias},
    {kAdjustTransferLabels, kAdjustPageNumber, ADJTRANSLABEL, Shown::MinusTransferBias},
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

void AddValues(TextList texts, const PrinterState& ctx, std::span<const ValueRow> rows) {
  for (const ValueRow& row : rows)
    texts.Set(row.fieldId, Convert(PageField(ctx, row.infoPage, row.infoField), row.shown));
}

// A state "0" (not determined) shows "-" for remaining and type; a state
// without a name leaves the status field as it is but shows the rest.
void AddSupplies(TextList texts, const PrinterState& ctx) {
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

void AddCounterLines(TextList texts, const PrinterState& ctx) {
  if (ctx.replacementCounts)
    texts.Set(kCounterReplacements, CounterLine(ctx.replacementCounts->item));
  if (ctx.applicationCounts)
    texts.Set(kCounterApplications, CounterLine(ctx.applicationCounts->item));
}

void AddEnergySave(TextList texts, const PrinterState& ctx) {
  texts.Set(kMachineEnergySave, ctx.energySave
                                    ? PageField(ctx, kMachinePageNumber, MACHINEENERGYSAVE)
                                    : TextOrEmpty(kTextOff));
}

}  // namespace

std::vector<ConfigFieldText> ConfigurationTexts(const PrinterState& ctx) {
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
