#include "service/settings_transfer.h"

#include "page_helpers/link_session.h"

bool OnTransferButton(Window& page, AppContext& ctx, int id, const SettingsTransfer& transfer) {
  if (id == transfer.downloadButton) {
    WithDeviceLink(page, [&] { transfer.read(page, ctx); });
    transfer.show(page, ctx);
  } else if (id == transfer.uploadButton) {
    WithDeviceLink(
        page, [&] { transfer.send(page, ctx); }, AfterSession::LeaveLinkOpen);
  } else {
    return false;
  }
  return true;
}
