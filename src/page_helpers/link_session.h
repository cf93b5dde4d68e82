// One user action's session on the window's device link: the wait cursor,
// the printer's turn, opening the link, the action's requests, closing the
// link; and the one mapping from a link's failure to the window's message.
#pragma once

#include <atomic>
#include <mutex>

#include "common/message_owner.h"
#include "device/device_link.h"
#include "page_helpers/app_context.h"
#include "printer/info_page.h"
#include "string_ids.h"
#include "ui/dialog.h"

// Some actions leave the link open; the next action's open closes it.
enum class AfterSession { CloseLink, LeaveLinkOpen };

// Whose turn it is on the printer: the user's actions on the window's
// thread (they nest: a modal box of one action may start another) or a
// beat of the status watch on its worker. Each opens the device with links
// of its own (the printing-support driver, like usbfs, lets a device be
// opened several times), but the two never send requests to the printer at
// the same time: an action waits for a beat in flight to end (at most one
// transfer time-out), a beat is skipped while an action holds the printer.
class PrinterTurn {
 public:
  void TakeForAction() {
    lock_.lock();
    ++actions_;
  }
  void EndAction() {
    --actions_;
    lock_.unlock();
  }
  bool ActionHolds() const { return actions_ > 0; }
  bool TryTakeForBeat() {
    if (ActionHolds() || !lock_.try_lock()) return false;
    if (ActionHolds()) {  // the window's own thread runs the beat (headless)
      lock_.unlock();
      return false;
    }
    return true;
  }
  void EndBeat() { lock_.unlock(); }

 private:
  std::recursive_mutex lock_;
  std::atomic<int> actions_{0};
};

// Holds the printer's turn for a user's action from construction to
// destruction (a modal box it opens lets timers run meanwhile).
class UserActionOnLink {
 public:
  explicit UserActionOnLink(AppContext& ctx) : turn_(*ctx.turn) { turn_.TakeForAction(); }
  ~UserActionOnLink() { turn_.EndAction(); }
  UserActionOnLink(const UserActionOnLink&) = delete;
  UserActionOnLink& operator=(const UserActionOnLink&) = delete;

 private:
  PrinterTurn& turn_;
};

// What the window shows for a failure on the link: "Open USB is failed"
// when it could not be opened, "Send command to F/W is failed" when a
// request failed.
int WindowMessageOf(const LinkError& error);
// The same for a page read, where a page of another kind shows "Not
// compatible commands"; 0 when the read did not fail.
int WindowMessageOf(const InfoPageRead& read);

// Runs work(link) on the window's opened device link and returns true; when
// the link cannot be opened the owner shows the failure's message, nothing
// is sent and the result is false.
template <typename Work>
bool WithDeviceLink(AppContext& ctx, MessageOwner& owner, Work work,
                    AfterSession after = AfterSession::CloseLink) {
  UserActionOnLink holding(ctx);
  WaitCursor busy;
  DeviceLink& link = *ctx.link;
  if (!link.Open()) {
    owner.ShowMessage(WindowMessageOf(link.OpenError()));
    return false;
  }
  work(link);
  if (after == AfterSession::CloseLink) link.Close();
  return true;
}
