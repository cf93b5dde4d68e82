#include "service/service_mode_page.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/choice_list.h"
#include "page_helpers/link_session.h"
#include "page_helpers/window_ops.h"
#include "printer/printer_requests.h"
#include "service/request_patterns.h"
#include "service/settings_transfer.h"
#include "string_ids.h"
#include "ui/dialog.h"

namespace {

using Field = std::int32_t AppContext::*;

// A control showing one value, and the request that reads the value.
struct Control {
  int id;
  int read;
  Field field;
};

constexpr Control kWarningBoxes[] = {
    {kTonerLowBox, REQ_READ_TONER_LOW_WARNING, &AppContext::tonerLowWarning},
    {kIcLowBox, REQ_READ_IC_LOW_WARNING, &AppContext::icLowWarning},
};

constexpr Control kTemperatureLists[] = {
    {kTemperaturePlainList, REQ_READ_TEMP_PLAIN, &AppContext::temperaturePlain},
    {kTemperatureThickList, REQ_READ_TEMP_THICK, &AppContext::temperatureThick},
    {kTemperatureEnvelopeList, REQ_READ_TEMP_ENVELOPE, &AppContext::temperatureEnvelope},
};

constexpr SettingChoice kTemperatureChoices[] = {{"0", 0}, {"-5", 1}, {"-10", 2}, {"", 0}};

// The counters' value texts, in the order they are shown and read.
constexpr Control kCounters[] = {
    {kJamCounterField, REQ_READ_JAM_COUNTER, &AppContext::jamCounter},
    {kTroubleCounterField, REQ_READ_TROUBLE_COUNTER, &AppContext::troubleCounter},
    {kTransferBeltCounterField, REQ_READ_BELT_COUNTER, &AppContext::transferBeltCounter},
    {kDrumUnitCounterField, REQ_READ_DRUM_COUNTER, &AppContext::drumUnitCounter},
    {kTransferRollerCounterField, REQ_READ_ROLLER_COUNTER, &AppContext::transferRollerCounter},
    {kFuserUnitCounterField, REQ_READ_FUSER_COUNTER, &AppContext::fuserUnitCounter},
};

void SetUpPage(Window& page, AppContext& ctx) {
  LoadTemplateTexts(page);
  for (const Control& box : kWarningBoxes) {
    ctx.*box.field = 1;
    page.CheckButton(box.id, true);
  }
  for (const Control& list : kTemperatureLists) {
    FillChoiceList(page, list.id, kTemperatureChoices);
    page.ListSelect(list.id, 0);
    ctx.*list.field = page.ListItemData(list.id, 0);
  }
}

void ShowServiceSettings(Window& page, AppContext& ctx) {
  // A warning the printer reports as anything but 1 shows unchecked and
  // keeps its value until the box is clicked.
  for (const Control& box : kWarningBoxes) page.CheckButton(box.id, ctx.*box.field == 1);
  // An unknown temperature keeps the list's selection.
  for (const Control& list : kTemperatureLists) SelectChoiceByValue(page, list.id, ctx.*list.field);
  for (const Control& counter : kCounters)
    page.SetItemText(counter.id, std::to_string(ctx.*counter.field));
}

void ReadValues(Window& page, AppContext& ctx, std::span<const Control> controls) {
  for (const Control& control : controls)
    ReadSettingValue(page, *ctx.link, control.read, ctx.*control.field);
}

// The reads go out table by table, each in its order.
void ReadServiceSettings(Window& page, AppContext& ctx) {
  ReadValues(page, ctx, kWarningBoxes);
  ReadValues(page, ctx, kTemperatureLists);
  ReadValues(page, ctx, kCounters);
}

// A temperature outside the list's values is not sent and counts as a
// failed write.
bool WriteTemperature(DeviceLink& link, int code, std::int32_t value) {
  const std::optional<std::uint16_t> wValue = PackTemperature(value);
  return wValue && SendAcknowledgedCommand(link, code, *wValue);
}

// Every write is sent whatever the earlier ones answered; one message tells
// the outcome.
void SendServiceSettings(Window& page, AppContext& ctx) {
  // A braced list is evaluated in order: the writes go out in this order.
  DeviceLink& link = *ctx.link;
  const bool acknowledged[] = {
      SendAcknowledgedCommand(link, REQ_WRITE_TONER_LOW_WARNING, PackPlain(ctx.tonerLowWarning)),
      SendAcknowledgedCommand(link, REQ_WRITE_IC_LOW_WARNING, PackPlain(ctx.icLowWarning)),
      WriteTemperature(link, REQ_WRITE_TEMP_PLAIN, ctx.temperaturePlain),
      WriteTemperature(link, REQ_WRITE_TEMP_THICK, ctx.temperatureThick),
      WriteTemperature(link, REQ_WRITE_TEMP_ENVELOPE, ctx.temperatureEnvelope),
  };
  const bool allAcknowledged =
      std::all_of(std::begin(acknowledged), std::end(acknowledged), [](bool ok) { return ok; });
  page.ShowMessage(allAcknowledged ? kTextSetDefaultSent : kTextSendFailed);
}

// Asks no confirmation and leaves the counters as shown until the next
// "Download".
void RunMaintenanceCommand(Window& page, AppContext& ctx, int code, int successText) {
  WithDeviceLink(ctx, page,
                 [&](DeviceLink& link) { RunServiceCommand(page, link, code, 0, successText); });
}

constexpr SettingsTransfer kTransfer = {kServiceDownloadButton, kServiceUploadButton,
                                        ReadServiceSettings, ShowServiceSettings,
                                        SendServiceSettings};

void OnCommand(Window& page, AppContext& ctx, int id, int notification) {
  for (const Control& box : kWarningBoxes) {
    if (box.id == id) {
      ctx.*box.field = page.IsButtonChecked(id) ? 1 : 0;
      return;
    }
  }
  for (const Control& list : kTemperatureLists) {
    if (list.id != id) continue;
    const int selected = page.ListSelection(id);
    if (notification == kListSelectionChanged && selected >= 0)
      ctx.*list.field = page.ListItemData(id, selected);
    return;
  }
  if (OnTransferButton(page, ctx, id, kTransfer)) return;
  switch (id) {
    case kBkClearButton: RunMaintenanceCommand(page, ctx, REQ_BK_CLEAR, kTextBkClearOk); break;
    case kFuserUnitButton:
      RunMaintenanceCommand(page, ctx, REQ_RESET_FUSER_UNIT, kTextFuserUnitOk);
      break;
    case kTransferRollerButton:
      RunMaintenanceCommand(page, ctx, REQ_RESET_TRANSFER_ROLLER, kTextTransferRollerOk);
      break;
    default: break;
  }
}

}  // namespace

void ServiceModePageProc(Window& page, const DialogMessage& message) {
  AppContext* ctx = PageContext(page, message);
  if (!ctx) return;
  if (message.event == DialogEvent::Init) SetUpPage(page, *ctx);
  if (message.event == DialogEvent::Command) OnCommand(page, *ctx, message.id, message.code);
}
