// One user action's session on the device link: the wait cursor, opening
// the link, the action's requests, closing the link.
#pragma once

#include "common/message_owner.h"
#include "device/device_link.h"
#include "ui/dialog.h"
#include "string_ids.h"

// Some actions leave the link open; the next action's open closes it.
enum class AfterSession { CloseLink, LeaveLinkOpen };

// Runs `work` on an opened device link; when the link cannot be opened the
// owner shows "Open USB is failed" and nothing is sent.
template <typename Work>
void WithDeviceLink(MessageOwner& owner, Work work,
                    AfterSession after = AfterSession::CloseLink) {
  WaitCursor busy;
  ConfigurePrinterLink();
  if (!OpenDeviceLink()) {
    owner.ShowMessage(kTextOpenUsbFailed);
    return;
  }
  work();
  if (after == AfterSession::CloseLink) CloseDeviceLink();
}
