// One user action's session on the device link: the wait cursor, opening
// the link, the action's requests, closing the link.
#pragma once

#include "common/message_owner.h"
#include "device/device_link.h"
#include "string_ids.h"
#include "ui/dialog.h"

// Some actions leave the link open; the next action's open closes it.
enum class AfterSession { CloseLink, LeaveLinkOpen };

// Marks a user's action as holding the link from construction to
// destruction (a modal box it opens lets timers run meanwhile): the status
// watch keeps off the link until it ends.
class UserActionOnLink {
 public:
  UserActionOnLink();
  ~UserActionOnLink();
  UserActionOnLink(const UserActionOnLink&) = delete;
  UserActionOnLink& operator=(const UserActionOnLink&) = delete;
};

bool UserActionHoldsLink();

// Runs `work` on an opened device link and returns true; when the link
// cannot be opened the owner shows "Open USB is failed", nothing is sent
// and the result is false.
template <typename Work>
bool WithDeviceLink(MessageOwner& owner, Work work, AfterSession after = AfterSession::CloseLink) {
  UserActionOnLink holding;
  WaitCursor busy;
  if (!OpenPrinterLink()) {
    owner.ShowMessage(kTextOpenUsbFailed);
    return false;
  }
  work();
  if (after == AfterSession::CloseLink) CloseDeviceLink();
  return true;
}
