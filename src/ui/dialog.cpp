#include "ui/dialog.h"

#include <cassert>

#include "common/string_table.h"

namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() {
  assert(g_platform && "no platform in use: only code under RunVantrel or a test's own may ask");
  return *g_platform;
}
Platform* PlatformInUse() { return g_platform; }
void UsePlatform(Platform* platform) { g_platform = platform; }

void Window::ShowMessage(int stringId) {
  ShowMessageBox(TextOrEmpty(stringId), MessageButtons::Ok);
}

void DeliverDialogMessage(DialogProc proc, Window& window, const DialogMessage& message,
                          const bool& destroyed) {
  if (destroyed || !proc) return;
  proc(window, message);
  if (message.event == DialogEvent::Close && !destroyed)
    proc(window, {DialogEvent::Command, kIdCancel, kButtonClicked});
}
