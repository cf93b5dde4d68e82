#include "info/configuration_window.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "common/string_ids.h"
#include "common/string_table.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "info/config_conversions.h"
#include "info/info_page.h"
#include "info/ini_export.h"
#include "info/printer_info.h"
#include "common/window_ops.h"
#include "ui/dialog.h"
#include "ui/dialog_template.h"

namespace {

constexpr int kTextWindowTitle = 148;  // "Configuration Page"
constexpr int kTextSave = 330;         // "Save"

struct ConfigTab {
  int titleStringId;
  int templateId;
};

constexpr ConfigTab kConfigTabs[kConfigPageCount] = {
    {149, kConfigSuppliesTemplate},   // "Supplies Status"
    {150, kConfigCoverageTemplate},   // "Coverage Information"
    {151, kConfigCounterTemplate},    // "Counter"
    {152, kConfigPaperTemplate},      // "Paper"
    {153, kConfigMachineTemplate},    // "Machine Setting"
    {154, kConfigFirmwareTemplate},   // "Firmware Version"
    {156, kConfigAdjustmentTemplate}, // "Adjustment"
};

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

void FillValues(Window* page, const AppContext& ctx, std::span<const ValueRow> rows) {
  if (!page) return;
  for (const ValueRow& row : rows)
    page->SetItemText(row.fieldId, Convert(PageField(ctx, row.infoPage, row.infoField), row.shown));
}

// A state "0" (not determined) shows "-" for remaining and type; a state
// without a name leaves the status field empty but shows the rest.
void FillSupplies(Window* page, const AppContext& ctx) {
  if (!page) return;
  for (const SupplyRow& row : kSupplyRows) {
    const char* state = PageField(ctx, kTonerPageNumber, row.state);
    if (auto text = SupplyStateText(state)) page->SetItemText(row.statusId, *text);
    if (std::strcmp(state, "0") == 0) {
      page->SetItemText(row.remainingId, "-");
      if (row.typeId) page->SetItemText(row.typeId, "-");
      continue;
    }
    page->SetItemText(row.remainingId, PercentText(PageField(ctx, kTonerPageNumber, row.remaining)));
    if (row.typeId)
      page->SetItemText(row.typeId, CartridgeTypeText(PageField(ctx, kTonerPageNumber, row.type)));
  }
}

void FillCounterLines(Window* page, const AppContext& ctx) {
  if (!page) return;
  if (ctx.replacementCounts) page->SetItemText(1121, CounterLine(ctx.replacementCounts->item));
  if (ctx.applicationCounts) page->SetItemText(1123, CounterLine(ctx.applicationCounts->item));
}

void FillEnergySave(Window* page, const AppContext& ctx) {
  if (!page) return;
  const char* off = LoadText(kTextOff);
  page->SetItemText(1145, ctx.energySave ? PageField(ctx, kMachinePageNumber, MACHINEENERGYSAVE)
                                         : off ? off : "");
}

// The switch is the same field the user service page shows; a failed read
// keeps what it held.
void ReadEnergySave(Window& window, AppContext& ctx) {
  WaitCursor busy;
  std::uint8_t reply[kValueReplySize] = {};
  if (SendVendorRequest(REQ_READ_ENERGY_SAVE, 0, kValueReplySize, reply) == 0)
    window.ShowMessage(kTextSendFailed);
  else
    ctx.energySave = ReplyValue(reply);
}

void ShowSelectedPage(Window& window, AppContext& ctx) {
  for (Window* page : ctx.configPages)
    if (page) page->Show(false);
  int selected = window.TabSelection(kConfigTabControl);
  if (selected >= 0 && selected < kConfigPageCount && ctx.configPages[selected])
    ctx.configPages[selected]->Show(true);
}

void Initialise(Window& window, AppContext& ctx) {
  LoadWindowText(window, kTextWindowTitle);
  LoadItemText(window, kConfigCloseButton, kTextClose);
  LoadItemText(window, kConfigSaveButton, kTextSave);

  ctx.configTab = &window;
  for (int i = 0; i < kConfigPageCount; ++i)
    ctx.configPages[i] = AddTabPage(window, kConfigTabControl, kConfigTabs[i].templateId,
                                    kConfigTabs[i].titleStringId, i, nullptr, &ctx);
  window.TabSelect(kConfigTabControl, 0);
  if (ctx.configPages[0]) ctx.configPages[0]->Show(true);

  for (Window* page : ctx.configPages)
    if (page) LoadTemplateTexts(*page);
  CenterWindow(window);
  ReadEnergySave(window, ctx);

  FillSupplies(ctx.configPages[kSuppliesPage], ctx);
  FillValues(ctx.configPages[kCoveragePage], ctx, kCoverageValues);
  FillValues(ctx.configPages[kCounterPage], ctx, kCounterValues);
  FillCounterLines(ctx.configPages[kCounterPage], ctx);
  FillValues(ctx.configPages[kPaperPage], ctx, kPaperValues);
  FillValues(ctx.configPages[kMachineSettingPage], ctx, kMachineValues);
  FillEnergySave(ctx.configPages[kMachineSettingPage], ctx);
  FillValues(ctx.configPages[kFirmwarePage], ctx, kFirmwareValues);
  FillValues(ctx.configPages[kAdjustmentPage], ctx, kAdjustmentValues);
}

void Save(Window& window, AppContext& ctx) {
  std::string path = PromptExportFileName(window, ctx);
  ExportConfiguration(window, ctx, path);
}

}  // namespace

void ConfigurationWindowProc(Window& window, const DialogMessage& message) {
  auto* ctx = static_cast<AppContext*>(window.UserData());
  switch (message.event) {
    case DialogEvent::Init:
      window.SetUserData(message.param);
      if (message.param) Initialise(window, *static_cast<AppContext*>(message.param));
      break;
    case DialogEvent::TabChanged:
      if (ctx && message.id == kConfigTabControl) ShowSelectedPage(window, *ctx);
      break;
    case DialogEvent::Command:
      // Escape (the Cancel command) is ignored: only Close ends the window.
      if (message.id == kConfigCloseButton) window.EndDialog(0);
      else if (message.id == kConfigSaveButton && ctx) Save(window, *ctx);
      break;
    case DialogEvent::Close: window.EndDialog(0); break;
    default: break;
  }
}

namespace {

// Opens the link and reads what the window shows; false when the link
// cannot be opened (the user is told, nothing is read).
bool ReadConfiguration(Window& owner, AppContext& ctx) {
  ConfigurePrinterLink();
  if (!OpenDeviceLink()) {
    owner.ShowMessage(kTextOpenUsbFailed);
    return false;
  }
  // A block that cannot be allocated stays null: its reads are skipped and
  // its fields show what an unreported value shows.
  AllocatePageBlocks(ctx);
  AllocateCounterBlocks(ctx);
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page)
    ReadInfoPage(owner, ctx, page);
  ReadCounterRecords(ctx);
  return true;
}

}  // namespace

// The link stays open while the window is up; the pointer is the wait
// cursor only while requests go out (the window reads one more as it opens).
void OpenConfigurationWindow(Window& owner, AppContext& ctx) {
  {
    WaitCursor busy;
    if (!ReadConfiguration(owner, ctx)) return;
  }
  owner.RunModal(kConfigWindowTemplate, ConfigurationWindowProc, &ctx);

  ctx.configTab = nullptr;
  for (Window*& page : ctx.configPages) page = nullptr;
  ReleasePrinterInfo(ctx);
  CloseDeviceLink();
}
