#include "service/service_mode_page.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
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
#include "string_ids.h"
#include "ui/dialog.h"

namespace {

using Field = std::int32_t AppContext::*;

struct Control {
  int id;
  Field field;
};

constexpr Control kWarningBoxes[] = {
    {kTonerLowBox, &AppContext::tonerLowWarning},
    {kIcLowBox, &AppContext::icLowWarning},
};

constexpr Control kTemperatureLists[] = {
    {kTemperaturePlainList, &AppContext::temperaturePlain},
    {kTemperatureThickList, &AppContext::temperatureThick},
    {kTemperatureEnvelopeList, &AppContext::temperatureEnvelope},
};

constexpr SettingChoice kTemperatureChoices[] = {{"0", 0}, {"-5", 1}, {"-10", 2}, {"", 0}};

// The value texts of the counters, in the order they are shown.
constexpr Control kCounterTexts[] = {
    {kJamCounterField, &AppContext::jamCounter},
    {kTroubleCounterField, &AppContext::troubleCounter},
    {kTransferBeltCounterField, &AppContext::transferBeltCounter},
    {kDrumUnitCounterField, &AppContext::drumUnitCounter},
    {kTransferRollerCounterField, &AppContext::transferRollerCounter},
    {kFuserUnitCounterField, &AppContext::fuserUnitCounter},
};

// Every value "Download" reads, in the order it reads them.
constexpr struct {
  int code;
  Field field;
} kReads[] = {
    {REQ_READ_TONER_LOW_WARNING, &AppContext::tonerLowWarning},
    {REQ_READ_IC_LOW_WARNING, &AppContext::icLowWarning},
    {REQ_READ_TEMP_PLAIN, &AppContext::temperaturePlain},
    {REQ_READ_TEMP_THICK, &AppContext::temperatureThick},
    {REQ_READ_TEMP_ENVELOPE, &AppContext::temperatureEnvelope},
    {REQ_READ_JAM_COUNTER, &AppContext::jamCounter},
    {REQ_READ_TROUBLE_COUNTER, &AppContext::troubleCounter},
    {REQ_READ_BELT_COUNTER, &AppContext::transferBeltCounter},
    {REQ_READ_DRUM_COUNTER, &AppContext::drumUnitCounter},
    {REQ_READ_ROLLER_COUNTER, &AppContext::transferRollerCounter},
    {REQ_READ_FUSER_COUNTER, &AppContext::fuserUnitCounter},
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
  for (const Control& counter : kCounterTexts)
    page.SetItemText(counter.id, std::to_string(ctx.*counter.field));
}

void DownloadServiceSettings(Window& page, AppContext& ctx) {
  WithDeviceLink(page, [&] {
    for (const auto& read : kReads) ReadSettingValue(page, read.code, ctx.*read.field);
  });
}

// A temperature outside the list's values is not sent and counts as a
// failed write.
bool WriteTemperature(int code, std::int32_t value) {
  const std::optional<std::uint16_t> wValue = PackTemperature(value);
  return wValue && SendAcknowledgedCommand(code, *wValue);
}

// Every write is sent whatever the earlier ones answered; one message tells
// the outcome.
void SendServiceSettings(Window& page, AppContext& ctx) {
  // A braced list is evaluated in order: the writes go out in this order.
  const bool acknowledged[] = {
      SendAcknowledgedCommand(REQ_WRITE_TONER_LOW_WARNING, PackPlain(ctx.tonerLowWarning)),
      SendAcknowledgedCommand(REQ_WRITE_IC_LOW_WARNING, PackPlain(ctx.icLowWarning)),
      WriteTemperature(REQ_WRITE_TEMP_PLAIN, ctx.temperaturePlain),
      WriteTemperature(REQ_WRITE_TEMP_THICK, ctx.temperatureThick),
      WriteTemperature(REQ_WRITE_TEMP_ENVELOPE, ctx.temperatureEnvelope),
  };
  const bool allAcknowledged =
      std::all_of(std::begin(acknowledged), std::end(acknowledged), [](bool ok) { return ok; });
  page.ShowMessage(allAcknowledged ? kTextSetDefaultSent : kTextSendFailed);
}

// The link is left open: the next action's open closes it.
void UploadServiceSettings(Window& page, AppContext& ctx) {
  WithDeviceLink(
      page, [&] { SendServiceSettings(page, ctx); }, AfterSession::LeaveLinkOpen);
}

// Asks no confirmation and leaves the counters as shown until the next
// "Download".
void RunMaintenanceCommand(Window& page, int code, int successText) {
  WithDeviceLink(page, [&] { RunServiceCommand(page, code, 0, successText); });
}

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
  switch (id) {
    case kServiceDownloadButton:
      DownloadServiceSettings(page, ctx);
      ShowServiceSettings(page, ctx);
      break;
    case kServiceUploadButton: UploadServiceSettings(page, ctx); break;
    case kBkClearButton: RunMaintenanceCommand(page, REQ_BK_CLEAR, kTextBkClearOk); break;
    case kFuserUnitButton:
      RunMaintenanceCommand(page, REQ_RESET_FUSER_UNIT, kTextFuserUnitOk);
      break;
    case kTransferRollerButton:
      RunMaintenanceCommand(page, REQ_RESET_TRANSFER_ROLLER, kTextTransferRollerOk);
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
