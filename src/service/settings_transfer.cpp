#include "service/settings_transfer.h"

#include "page_helpers/link_session.h"

bool OnTransferButton(Window& page, AppContext& ctx, int id, const SettingsTransfer& transfer) {
  if (id == transfer.downloadButton) {
    WithDeviceLink(ctx, page, [&](DeviceLink&) { transfer.read(page, ctx); });
    transfer.show(page, ctx);
  } else if (id == transfer.uploadButton) {
    WithDeviceLink(
        ctx, page, [&](DeviceLink&) { transfer.send(page, ctx); }, AfterSession::LeaveLinkOpen);
  } else {
    return false;
  }
  return true;
}
