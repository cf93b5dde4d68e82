#include "service/user_service_page.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "common/string_table.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "layouts/control_ids.h"
#include "page_helpers/app_context.h"
#include "page_helpers/choice_list.h"
#include "page_helpers/link_session.h"
#include "page_helpers/window_ops.h"
#include "printer/config_conversions.h"
#include "printer/configuration_fields.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"
#include "service/request_patterns.h"
#include "service/settings_transfer.h"
#include "string_ids.h"
#include "ui/dialog.h"

namespace {

// The printer variant without an Energy Save setting.
constexpr std::uint8_t kMachineWithoutEnergySave = 2;

constexpr int kPageStep = 5;

constexpr int kPattern1 = 0;  // wValue of request 39
constexpr int kPattern2 = 256;

using Field = std::int32_t UserSettings::*;

struct Slider {
  int id;
  int valueText;
  int minimum;
  int maximum;
  Field field;
};

// In the order the page sets them up and shows them.
constexpr Slider kSliders[] = {
    {kTopPlainSlider, kTopPlainValue, -15, 15, &UserSettings::topAdjustPlain},
    {kTopThickSlider, kTopThickValue, -15, 15, &UserSettings::topAdjustThick},
    {kTopEnvelopeSlider, kTopEnvelopeValue, -15, 15, &UserSettings::topAdjustEnvelope},
    {kTransferPlainSlider, kTransferPlainValue, -8, 7, &UserSettings::transferPlain},
    {kTransferThick1Slider, kTransferThick1Value, -8, 7, &UserSettings::transferThick1},
    {kTransferThick2Slider, kTransferThick2Value, -8, 7, &UserSettings::transferThick2},
    {kTransferPostcardSlider, kTransferPostcardValue, -8, 7, &UserSettings::transferPostcard},
    {kTransferEnvelopeSlider, kTransferEnvelopeValue, -8, 7, &UserSettings::transferEnvelope},
    {kTransferLabelsSlider, kTransferLabelsValue, -8, 7, &UserSettings::transferLabels},
    {kLeftTray1Slider, kLeftTray1Value, -15, 15, &UserSettings::leftAdjustTray1},
};

// The energy-save switch is the printer's state, not the page's own field.
struct ChoiceList {
  int id;
  std::int32_t& (*value)(AppContext&);
};

// In the order the page shows them.
constexpr ChoiceList kChoiceLists[] = {
    {kGdiTimeoutList, [](AppContext& ctx) -> std::int32_t& { return ctx.user.gdiTimeout; }},
    {kUserEnergySaveList, [](AppContext& ctx) -> std::int32_t& { return ctx.printer.energySave; }},
    {kFlickerList, [](AppContext& ctx) -> std::int32_t& { return ctx.user.flicker; }},
    {kImageAdjList, [](AppContext& ctx) -> std::int32_t& { return ctx.user.imageAdjParam; }},
};

constexpr SettingChoice kGdiTimeoutChoices[] = {
    {"5", 0}, {"10", 1}, {"20", 2}, {"30", 3}, {"40", 4}, {"50", 5}, {"60", 6}, {"", 0},
};
constexpr int kGdiTimeoutDefaultEntry = 6;  // "60"
constexpr SettingChoice kFlickerChoices[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"", 0}};
constexpr SettingChoice kImageAdjChoices[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"", 0}};

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t ToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp(value, kInt32Min, kInt32Max));
}

const Slider* FindSlider(int id) {
  for (const Slider& slider : kSliders)
    if (slider.id == id) return &slider;
  return nullptr;
}

void ShowSliderValue(Window& page, const Slider& slider, std::int32_t value) {
  page.SetItemText(slider.valueText, std::to_string(value));
  page.TrackbarSetPos(slider.id, value);
}

void SetUpPage(Window& page, AppContext& ctx) {
  const bool hasEnergySave = ctx.printer.machineKind != kMachineWithoutEnergySave;
  LoadTemplateTexts(page, kUserEnergySaveLabel);
  page.ShowItem(kUserEnergySaveLabel, hasEnergySave);
  page.ShowItem(kUserEnergySaveList, hasEnergySave);
  if (hasEnergySave) LoadItemText(page, kUserEnergySaveLabel, kTextEnergySave);

  for (const Slider& slider : kSliders) {
    ctx.user.*slider.field = 0;
    page.TrackbarSetRange(slider.id, slider.minimum, slider.maximum);
    ShowSliderValue(page, slider, 0);
  }

  FillChoiceList(page, kGdiTimeoutList, kGdiTimeoutChoices);
  page.ListSelect(kGdiTimeoutList, kGdiTimeoutDefaultEntry);
  ctx.user.gdiTimeout = page.ListItemData(kGdiTimeoutList, kGdiTimeoutDefaultEntry);

  // On the variant without the setting the list stays empty and the field
  // keeps what it had.
  if (hasEnergySave) {
    page.ListAdd(kUserEnergySaveList, TextOrEmpty(kTextOn), 1);
    page.ListAdd(kUserEnergySaveList, TextOrEmpty(kTextOff), 0);
    page.ListSelect(kUserEnergySaveList, 0);
    ctx.printer.energySave = 1;
  }

  FillChoiceList(page, kFlickerList, kFlickerChoices);
  page.ListSelect(kFlickerList, 0);
  ctx.user.flicker = 0;

  FillChoiceList(page, kImageAdjList, kImageAdjChoices);
  page.ListSelect(kImageAdjList, 0);
  ctx.user.imageAdjParam = 0;
}

// The page, not the slider, owns the value: keys that move the thumb to
// either end leave the value (kept within the range) and the thumb is put
// back.
void MoveSlider(Window& page, AppContext& ctx, const Slider& slider, int scrollCode) {
  const bool toAnEnd = scrollCode == kScrollTop || scrollCode == kScrollBottom;
  std::int32_t& value = ctx.user.*slider.field;
  value = TrackbarMove(toAnEnd ? kScrollEnd : scrollCode, value,
                       static_cast<std::int16_t>(page.TrackbarPos(slider.id)), slider.minimum,
                       slider.maximum, kPageStep);
  ShowSliderValue(page, slider, value);
}

void ChangeChoice(Window& page, AppContext& ctx, const ChoiceList& list) {
  const int selected = page.ListSelection(list.id);
  if (selected >= 0) list.value(ctx) = page.ListItemData(list.id, selected);
}

void ShowUserSettings(Window& page, AppContext& ctx) {
  // Values outside a slider's range show as they are; the thumb stops at
  // the end of the slider.
  for (const Slider& slider : kSliders) ShowSliderValue(page, slider, ctx.user.*slider.field);
  // An unmatched value keeps the list's selection and stays in the field.
  for (const ChoiceList& list : kChoiceLists) SelectChoiceByValue(page, list.id, list.value(ctx));
}

// The values the configuration's rows give the page, bias taken off.
void TakeAdjustments(AppContext& ctx) {
  for (const ConfigurationField& row : kConfigurationFields) {
    if (!row.setting) continue;
    const char* text = PageField(ctx.printer, row.source.page, row.source.field);
    // The number is held to 32 bits, so removing the bias cannot overflow.
    ctx.user.*row.setting = ToInt32(std::int64_t{LeadingNumber(text)} - BiasOf(row.shown));
  }
}

void ReadUserSettings(Window& page, AppContext& ctx) {
  AllocatePageBlocks(ctx.printer);
  int adjustPageRead = 0;
  for (int number = kTonerPageNumber; number <= kAdjustPageNumber; ++number) {
    const InfoPageRead read = ReadInfoPage(*ctx.link, ctx.printer, number);
    if (const int message = WindowMessageOf(read)) page.ShowMessage(message);
    if (number == kAdjustPageNumber) adjustPageRead = read.received;
  }
  // An unreadable adjustment page says nothing about the adjustments: they
  // keep the values they had.
  if (adjustPageRead) TakeAdjustments(ctx);
  ReadSettingValue(page, *ctx.link, REQ_READ_GDI_TIMEOUT, ctx.user.gdiTimeout);
  ReadSettingValue(page, *ctx.link, REQ_READ_ENERGY_SAVE, ctx.printer.energySave);
  ReadSettingValue(page, *ctx.link, REQ_READ_FLICKER, ctx.user.flicker);
  ReleasePrinterInfo(ctx.printer);
}

// Every write is sent whatever the earlier ones answered; one message tells
// the outcome.
void SendUserSettings(Window& page, AppContext& ctx) {
  if (ctx.printer.machineKind == kMachineWithoutEnergySave) ctx.printer.energySave = 1;
  const struct {
    int code;
    std::uint16_t wValue;
  } writes[] = {
      {REQ_WRITE_GDI_TIMEOUT, PackPlain(ctx.user.gdiTimeout)},
      {REQ_WRITE_ENERGY_SAVE, PackPlain(ctx.printer.energySave)},
      {REQ_WRITE_FLICKER, PackPlain(ctx.user.flicker)},
      {REQ_WRITE_IMAGE_ADJ_PARAM, PackPlain(ctx.user.imageAdjParam)},
      {REQ_WRITE_TOP_ADJ_PLAIN, PackTopLeft(ctx.user.topAdjustPlain)},
      {REQ_WRITE_TOP_ADJ_THICK, PackTopLeft(ctx.user.topAdjustThick)},
      {REQ_WRITE_TOP_ADJ_ENVELOPE, PackTopLeft(ctx.user.topAdjustEnvelope)},
      {REQ_WRITE_LEFT_ADJ_TRAY1, PackTopLeft(ctx.user.leftAdjustTray1)},
      {REQ_WRITE_TRANSFER_PLAIN, PackTransfer(ctx.user.transferPlain)},
      {REQ_WRITE_TRANSFER_THICK1, PackTransfer(ctx.user.transferThick1)},
      {REQ_WRITE_TRANSFER_THICK2, PackTransfer(ctx.user.transferThick2)},
      {REQ_WRITE_TRANSFER_POSTCARD, PackTransfer(ctx.user.transferPostcard)},
      {REQ_WRITE_TRANSFER_ENVELOPE, PackTransfer(ctx.user.transferEnvelope)},
      {REQ_WRITE_TRANSFER_LABELS, PackTransfer(ctx.user.transferLabels)},
  };
  bool allAcknowledged = true;
  for (const auto& write : writes)
    allAcknowledged =
        SendAcknowledgedCommand(*ctx.link, write.code, write.wValue) && allAcknowledged;
  page.ShowMessage(allAcknowledged ? kTextSetDefaultSent : kTextSendFailed);
}

void PrintTestPattern(Window& page, AppContext& ctx, int wValue, int successText,
                      AfterSession after) {
  WithDeviceLink(
      ctx, page,
      [&](DeviceLink& link) {
        RunServiceCommand(page, link, REQ_PRINT_TEST_PATTERN, wValue, successText);
      },
      after);
}

// The printer never answers this request; success shows nothing.
void RefreshImage(Window& page, AppContext& ctx) {
  DebugTrace("BT_IMAGEREFRESH");
  WithDeviceLink(ctx, page, [](DeviceLink& link) {
    DebugTrace("USBOpen");
    std::uint8_t reply[kValueReplySize] = {};
    SendVendorRequest(link, REQ_IMAGE_REFRESH, 0, kValueReplySize, reply);
  });
}

constexpr SettingsTransfer kTransfer = {kUserDownloadButton, kUserUploadButton, ReadUserSettings,
                                        ShowUserSettings, SendUserSettings};

void OnCommand(Window& page, AppContext& ctx, int id, int notification) {
  for (const ChoiceList& list : kChoiceLists) {
    if (list.id != id) continue;
    if (notification == kListSelectionChanged) ChangeChoice(page, ctx, list);
    return;
  }
  if (OnTransferButton(page, ctx, id, kTransfer)) return;
  switch (id) {
    case kPattern1Button:
      PrintTestPattern(page, ctx, kPattern1, kTextPattern1Ok, AfterSession::CloseLink);
      break;
    case kPattern2Button:
      PrintTestPattern(page, ctx, kPattern2, kTextPattern2Ok, AfterSession::LeaveLinkOpen);
      break;
    case kImageRefreshButton: RefreshImage(page, ctx); break;
    default: break;
  }
}

}  // namespace

void UserServicePageProc(Window& page, const DialogMessage& message) {
  AppContext* ctx = PageContext(page, message);
  if (!ctx) return;
  if (message.event == DialogEvent::Init) {
    SetUpPage(page, *ctx);
  } else if (message.event == DialogEvent::Command) {
    OnCommand(page, *ctx, message.id, message.code);
  } else if (message.event == DialogEvent::HScroll) {
    if (const Slider* slider = FindSlider(message.id))
      MoveSlider(page, *ctx, *slider, message.code);
  }
}
