#include "panel/panel_page.h"

#include "device/device_link.h"
#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/choice_list.h"
#include "page_helpers/link_session.h"
#include "page_helpers/window_ops.h"
#include "panel/panel_display.h"
#include "panel/panel_status.h"
#include "printer/panel_commands.h"
#include "string_ids.h"
#include "ui/dialog.h"

namespace {

void InitPage(Window& page, void* ctx) {
  page.SetUserData(ctx);
  LoadTemplateTexts(page);
  // The page starts at the panel's initial settings, not the printer's.
  const PanelDefaults initial;
  page.CheckButton(kPanelChangeTonerRadio, true);
  page.CheckButton(initial.tonerLowMessage ? kPanelTonerLowOn : kPanelTonerLowOff, true);
  page.CheckButton(initial.tonerOutStop ? kPanelTonerOutStopOn : kPanelTonerOutStopOff, true);
  page.CheckButton(initial.autoContinue ? kPanelAutoContinueOn : kPanelAutoContinueOff, true);
  FillChoiceList(page, kPanelEnergySaveList, kEnergySaveTimes);
  SelectChoiceByValue(page, kPanelEnergySaveList, initial.energySaveMinutes);
}

// Reports a command's outcome, `sentText` on success.
void Report(Window& page, const CommandResult& result, int sentText) {
  page.ShowMessage(result.outcome == CommandOutcome::Acknowledged ? sentText : kTextSendFailed);
}

void RotateToner(Window& page, DeviceLink& link) {
  if (page.IsButtonChecked(kPanelEjectTonerRadio))
    Report(page, SendTonerOperation(link, TonerOperation::EjectAll), kTextEjectSent);
  else
    Report(page, SendTonerOperation(link, TonerOperation::Change), kTextCommandSent);
}

void OnCommand(Window& page, AppContext& ctx, int id) {
  switch (id) {
    case kPanelStatusButton:
      WithDeviceLink(ctx, page,
                     [&](DeviceLink& link) { ReadPanelStatus(page, link, ctx.printer); });
      break;
    case kPanelConfigButton:
      // Opens and closes the link itself, around its modal window.
      if (ctx.openConfiguration) ctx.openConfiguration(page, ctx);
      break;
    case kPanelRotateTonerButton:
      WithDeviceLink(ctx, page, [&](DeviceLink& link) { RotateToner(page, link); });
      break;
    case kPanelCleanUpButton:
      WithDeviceLink(ctx, page, [&](DeviceLink& link) {
        Report(page, SendTonerOperation(link, TonerOperation::PrintHeadCleanUp), kTextCommandSent);
      });
      break;
    case kPanelApplyButton:
      WithDeviceLink(ctx, page, [&](DeviceLink& link) { ApplyPanelDefaults(page, link); });
      break;
    case kPanelCalibrationButton:
      WithDeviceLink(ctx, page, [&](DeviceLink& link) {
        Report(page, StartCalibration(link), kTextCalibrationSent);
      });
      break;
    default: break;
  }
}

}  // namespace

void ApplyPanelDefaults(Window& page, DeviceLink& link) {
  const int selected = page.ListSelection(kPanelEnergySaveList);
  PanelDefaults shown;
  shown.tonerLowMessage = page.IsButtonChecked(kPanelTonerLowOn);
  shown.tonerOutStop = page.IsButtonChecked(kPanelTonerOutStopOn);
  shown.energySaveMinutes = selected >= 0 ? page.ListItemData(kPanelEnergySaveList, selected) : 0;
  shown.autoContinue = page.IsButtonChecked(kPanelAutoContinueOn);
  Report(page, SendPanelDefaults(link, shown), kTextSetDefaultSent);
}

void PanelPageProc(Window& page, const DialogMessage& message) {
  auto* ctx = static_cast<AppContext*>(page.UserData());
  switch (message.event) {
    case DialogEvent::Init: InitPage(page, message.param); break;
    case DialogEvent::Paint: PaintPanelPage(page); break;
    case DialogEvent::Command:
      if (ctx) OnCommand(page, *ctx, message.id);
      break;
    case DialogEvent::Timer:
      if (ctx) PanelTick(page, ctx->printer);
      break;
    default: break;
  }
}
