// "Download" and "Upload" as both service pages handle them, each on a link
// of its own. A page gives its two buttons and what is its own: its reads,
// its display, its writes.
#pragma once

#include "page_helpers/app_context.h"
#include "ui/dialog.h"

// One step of a page's settings; the reads and the writes run on the link
// the button has opened (ctx.link).
using SettingsStep = void (*)(Window& page, AppContext& ctx);

struct SettingsTransfer {
  int downloadButton;
  int uploadButton;
  SettingsStep read;
  SettingsStep show;
  SettingsStep send;
};

// A click on either button, handled: true; false for any other control.
// "Download" reads, then shows every value: one whose read failed, or all
// when the link could not be opened, as it was. "Upload" writes and leaves
// the link open: the next action's open closes it.
bool OnTransferButton(Window& page, AppContext& ctx, int id, const SettingsTransfer& transfer);
