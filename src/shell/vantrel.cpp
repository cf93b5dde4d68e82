#include "shell/vantrel.h"

#include <memory>

#include "device/device_link.h"
#include "info/configuration_window.h"
#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/link_session.h"
#include "shell/main_window.h"
#include "shell/printer_watch.h"

int RunVantrel(Platform& platform, DeviceLink& windowLink, StartKind start, int watchSeconds,
               StartRequest request) {
  if (!platform.AcquireSingleInstance(kSingleInstanceName, static_cast<int>(request))) return 0;
  if (request == StartRequest::Quit) {
    platform.ReleaseSingleInstance();
    return kExitNotRunning;
  }
  auto ctx = std::make_unique<AppContext>();  // zero-filled
  PrinterTurn turn;
  ctx->link = &windowLink;
  ctx->turn = &turn;
  ctx->openConfiguration = OpenConfigurationWindow;
  // The platform for the run; afterwards the one before it again (none, or
  // the first program's when a test starts a second inside it).
  Platform* const before = PlatformInUse();
  UsePlatform(&platform);
  std::unique_ptr<PrinterWatch> watch;
  if (watchSeconds > 0) {
    watch = std::make_unique<PrinterWatch>(watchSeconds, windowLink.Backend(), turn, windowLink);
    ctx->watch = watch.get();
  }
  if (Window* main = platform.CreateModeless(kMainWindowTemplate, MainWindowProc, ctx.get())) {
    platform.ListenForLaterStarts(*main, kCommandLaterStart, static_cast<int>(StartRequest::Quit));
    // Without a notification area the icon cannot be reached: the window
    // opens once the loop runs (so that cancelling it can end the program).
    // At login a notification area often comes a little after the programs.
    // Asked for the window with none running: the start at login's, the
    // window opened at once (no wait for a notification area: the window
    // is there to reach).
    if (request == StartRequest::Show) {
      main->SetTimer(kOpenAtStartTimer, 0);
    } else if (!platform.NotificationAreaAvailable()) {
      if (start == StartKind::AtLogin)
        main->SetTimer(kNotificationAreaWaitTimer, kNotificationAreaWaitMs);
      else
        main->SetTimer(kOpenAtStartTimer, 0);
    }
    if (watch) watch->Start(*main);
    platform.RunMessageLoop();
  }
  platform.ReleaseSingleInstance();
  UsePlatform(before);
  return 0;
}
