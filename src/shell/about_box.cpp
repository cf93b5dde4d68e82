#include "shell/about_box.h"

#include "common/string_ids.h"
#include "common/window_ops.h"

void AboutBoxProc(Window& box, const DialogMessage& message) {
  if (message.event == DialogEvent::Init) {
    box.SetUserData(message.param);
    CenterWindow(box);
    LoadWindowText(box, kTextAbout);
    box.SetItemText(1196, kProductLine);
    box.SetItemText(1197, kProductVersion);
    LoadItemText(box, 1023, kTextClose);
  } else if (message.event == DialogEvent::Command && message.id == 1023) {
    // Only Close ends the box; Escape (the Cancel command) is ignored.
    box.EndDialog(0);
  }
}
