#include "shell/vantrel.h"

#include <memory>

#include "shell/app_context.h"
#include "shell/main_window.h"

int RunVantrel(Platform& platform) {
  if (!platform.AcquireSingleInstance(kSingleInstanceName)) return 0;
  auto ctx = std::make_unique<AppContext>();  // zero-filled
  UsePlatform(&platform);
  if (Window* main = platform.CreateModeless(110, MainWindowProc, ctx.get())) {
    // Without a notification area the icon cannot be reached: open at once.
    if (!platform.NotificationAreaAvailable()) OpenMainWindow(*main, *ctx);
    platform.RunMessageLoop();
  }
  platform.ReleaseSingleInstance();
  return 0;
}
