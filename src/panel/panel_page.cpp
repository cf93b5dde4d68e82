#include "panel/panel_page.h"

#include <cstdint>

#include "page_helpers/setting_choice.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "info/configuration_window.h"
#include "panel/panel_display.h"
#include "printer/printer_requests.h"
#include "panel/panel_status.h"
#include "common/app_context.h"
#include "page_helpers/link_session.h"
#include "page_helpers/window_ops.h"
#include "ui/dialog.h"
#include "ui/dialog_template.h"
#include "string_ids.h"

namespace {

// What REQ_TONER_OPERATION does, in the high byte of its wValue.
constexpr int kTonerChange = 0;
constexpr int kTonerEjectAll = 1;
constexpr int kPrintHeadCleanUp = 2;

// Energy save time in minutes.
constexpr SettingChoice kEnergySaveTimes[] = {
    {"5", 5}, {"15", 15}, {"30", 30}, {"60", 60}, {"", 0}};
constexpr std::int32_t kInitialEnergySaveTime = 30;

void InitPage(Window& page, void* ctx) {
  page.SetUserData(ctx);
  LoadTemplateTexts(page);
  page.CheckButton(kPanelChangeTonerRadio, true);
  page.CheckButton(kPanelTonerLowOn, true);
  page.CheckButton(kPanelTonerOutStopOn, true);
  page.CheckButton(kPanelAutoContinueOff, true);
  FillChoiceList(page, kPanelEnergySaveList, kEnergySaveTimes);
  SelectChoiceByValue(page, kPanelEnergySaveList, kInitialEnergySaveTime);
}

// Sends one command and reports the outcome, `sentText` on success.
void SendAndReport(Window& page, int code, int wValue, int sentText) {
  page.ShowMessage(SendAcknowledgedCommand(code, wValue) ? sentText : kTextSendFailed);
}

void RotateToner(Window& page) {
  if (page.IsButtonChecked(kPanelEjectTonerRadio))
    SendAndReport(page, REQ_TONER_OPERATION, PackPlain(kTonerEjectAll), kTextEjectSent);
  else
    SendAndReport(page, REQ_TONER_OPERATION, PackPlain(kTonerChange), kTextCommandSent);
}

void OnCommand(Window& page, AppContext& ctx, int id) {
  switch (id) {
    case kPanelStatusButton: WithDeviceLink(page, [&] { ReadPanelStatus(page, ctx); }); break;
    case kPanelConfigButton:
      // Opens and closes the link itself, around its modal window.
      OpenConfigurationWindow(page, ctx);
      break;
    case kPanelRotateTonerButton: WithDeviceLink(page, [&] { RotateToner(page); }); break;
    case kPanelCleanUpButton:
      WithDeviceLink(page, [&] {
        SendAndReport(page, REQ_TONER_OPERATION, PackPlain(kPrintHeadCleanUp), kTextCommandSent);
      });
      break;
    case kPanelApplyButton: WithDeviceLink(page, [&] { ApplyPanelDefaults(page); }); break;
    case kPanelCalibrationButton:
      WithDeviceLink(page, [&] {
        SendAndReport(page, REQ_START_CALIBRATION, 0, kTextCalibrationSent);
      });
      break;
    default: break;
  }
}

}  // namespace

void ApplyPanelDefaults(Window& page) {
  const int selected = page.ListSelection(kPanelEnergySaveList);
  const int minutes = selected >= 0 ? page.ListItemData(kPanelEnergySaveList, selected) : 0;
  bool allAccepted = true;
  // Each is sent whatever became of the ones before.
  allAccepted &= SendAcknowledgedCommand(REQ_SET_TONER_LOW_MESSAGE,
                                  PackPlain(page.IsButtonChecked(kPanelTonerLowOn) ? 1 : 0));
  allAccepted &= SendAcknowledgedCommand(REQ_SET_TONER_OUT_STOP,
                                  PackPlain(page.IsButtonChecked(kPanelTonerOutStopOn) ? 1 : 0));
  allAccepted &= SendAcknowledgedCommand(REQ_SET_ENERGY_SAVE_TIME, PackPlain(minutes));
  allAccepted &= SendAcknowledgedCommand(REQ_SET_AUTO_CONTINUE,
                                  PackPlain(page.IsButtonChecked(kPanelAutoContinueOn) ? 1 : 0));
  page.ShowMessage(allAccepted ? kTextSetDefaultSent : kTextSendFailed);
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
      if (ctx) PanelTick(page, *ctx);
      break;
    default: break;
  }
}
