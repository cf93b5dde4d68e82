#include "shell/about_box.h"

#include "layouts/control_ids.h"
#include "page_helpers/window_ops.h"
#include "string_ids.h"

void AboutBoxProc(Window& box, const DialogMessage& message) {
  if (message.event == DialogEvent::Init) {
    box.SetUserData(message.param);
    CenterWindow(box);
    LoadWindowText(box, kTextAbout);
    box.SetItemText(kAboutProductLine, kProductLine);
    box.SetItemText(kAboutVersion, kProductVersion);
    LoadItemText(box, kAboutCloseButton, kTextClose);
  } else if (message.event == DialogEvent::Command && message.id == kAboutCloseButton) {
    // Only Close ends the box; Escape (the Cancel command) is ignored.
    box.EndDialog(0);
  }
}
