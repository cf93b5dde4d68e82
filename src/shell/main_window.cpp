#include "shell/main_window.h"

#include <cstdint>
#include <cstring>
#include <iterator>

#include "common/string_table.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/link_session.h"
#include "page_helpers/window_ops.h"
#include "panel/panel_page.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"
#include "shell/about_box.h"
#include "shell/printer_watch.h"
#include "shell/tray_icon.h"
#include "shell/vantrel.h"
#include "string_ids.h"

namespace {

// The page at a tab index; nothing outside the three pages or before one is built.
Window* PageAt(AppContext& ctx, int index) {
  return index >= 0 && index < static_cast<int>(std::size(ctx.mainPages)) ? ctx.mainPages[index]
                                                                          : nullptr;
}

void ShowOnlySelectedPage(Window& window, AppContext& ctx) {
  for (Window* page : ctx.mainPages)
    if (page) page->Show(false);
  if (Window* page = PageAt(ctx, window.TabSelection(kMainTab))) page->Show(true);
}

void BuildTabs(Window& window, AppContext& ctx) {
  LoadWindowText(window, kTextMainWindowTitle);
  LoadItemText(window, kMainAboutButton, kTextAbout);
  LoadItemText(window, kMainCloseButton, kTextClose);
  ctx.mainTabsBuilt = true;
  ctx.mainPages[0] =
      AddTabPage(window, kMainTab, kPanelPageTemplate, kTextPanelTab, 0, PanelPageProc, &ctx);
  ctx.mainPages[1] = AddTabPage(window, kMainTab, kUserServiceTemplate, kTextUserServiceTab, 1,
                                UserServicePageProc, &ctx);
  window.TabSelect(kMainTab, 0);
  if (ctx.mainPages[0]) ctx.mainPages[0]->Show(true);
}

// Any notification of the password field: the service tab is added as soon
// as the field holds exactly the password, once per run.
void CheckPassword(Window& window, AppContext& ctx, int notification) {
  if (notification == kEditSetFocus) window.SetItemText(kPasswordField, "");
  if (window.ItemText(kPasswordField) != kAdminPassword || ctx.serviceUnlocked ||
      !ctx.mainTabsBuilt)
    return;
  int selected = window.TabSelection(kMainTab);
  ctx.mainPages[2] = AddTabPage(window, kMainTab, kServiceModeTemplate, kTextServiceModeTab, 2,
                                ServiceModePageProc, &ctx);
  ctx.serviceUnlocked = 1;
  if (Window* page = PageAt(ctx, selected)) page->Show(false);
  window.TabSelect(kMainTab, selected);
  if (Window* page = PageAt(ctx, selected)) page->Show(true);
}

// Without a notification area nothing but the window reaches the program.
bool WindowIsTheProgram() { return !CurrentPlatform().NotificationAreaAvailable(); }

// Closing the only way in ends the program, unless the watch runs: it goes
// on notifying until the session ends or a later start asks it to end.
bool ClosingEnds(const AppContext& ctx) { return WindowIsTheProgram() && !ctx.watch; }

void ExitProgram(Window& window, AppContext& ctx) {
  ctx.panelVisible = 0;
  SetTrayIcon(window, TrayAction::Remove);
  window.Destroy();
  CurrentPlatform().Quit(0);  // what the window's destruction does
}

void HideMainWindow(Window& window, AppContext& ctx) {
  if (ClosingEnds(ctx)) {
    ExitProgram(window, ctx);
    return;
  }
  window.Show(false);
  ctx.panelVisible = 0;
}

// Another start: a plain one behind an icon ends silently; without one this
// window is the program, and comes to the front. One asking for the window
// brings it as the icon does; one asking the program to end ends it.
void OnLaterStart(Window& window, AppContext& ctx, int request) {
  if (request == static_cast<int>(StartRequest::Quit)) {
    ExitProgram(window, ctx);
    return;
  }
  if (request != static_cast<int>(StartRequest::Show) && !WindowIsTheProgram()) return;
  window.KillTimer(kNotificationAreaWaitTimer);
  if (ctx.panelVisible)
    window.Show(true);
  else
    OpenMainWindow(window, ctx);
}

void OnTimer(Window& window, AppContext& ctx, int id) {
  if (id == kWatchTimer) {
    if (ctx.watch) ctx.watch->Beat(window);
    return;
  }
  window.KillTimer(id);
  if (id == kOpenAtStartTimer) {
    OpenMainWindow(window, ctx);
  } else if (id == kNotificationAreaWaitTimer && WindowIsTheProgram() && !ctx.panelVisible &&
             !ctx.watch) {
    // Started at login and no notification area came: end quietly. The
    // watch stays, reaching the user through the desktop's notifications.
    ExitProgram(window, ctx);
  }
}

void OnCommand(Window& window, AppContext& ctx, int id, int notification) {
  switch (id) {
    case kIdCancel:
    case kMainCloseButton: HideMainWindow(window, ctx); break;
    case kMainAboutButton: window.RunModal(kAboutTemplate, AboutBoxProc, &ctx); break;
    case kPasswordField: CheckPassword(window, ctx, notification); break;
    case kCommandOpenPanel: OpenMainWindow(window, ctx); break;
    case kCommandExit: ExitProgram(window, ctx); break;
    case kCommandLaterStart: OnLaterStart(window, ctx, notification); break;
    default: break;
  }
}

}  // namespace

void OpenMainWindow(Window& window, AppContext& ctx) {
  if (ctx.panelVisible == 1) return;
  UserActionOnLink holding(ctx);
  WaitCursor busy;
  DeviceLink& link = *ctx.link;
  while (!link.Open()) {
    if (window.ShowMessageBox(TextOrEmpty(WindowMessageOf(link.OpenError())),
                              MessageButtons::RetryCancel) != kIdRetry) {
      if (ClosingEnds(ctx)) ExitProgram(window, ctx);
      return;
    }
  }
  // The link stays open; the next action's open closes it first. The
  // machine kind is the reply's first byte.
  std::uint8_t reply[kValueReplySize] = {};
  const LinkReply read = link.Request(REQ_READ_MACHINE_KIND, 0, kValueReplySize, reply);
  if (!read || read.received == 0) {
    ctx.printer.machineKind = 0;
    window.ShowMessage(kTextSendFailed);
  } else {
    ctx.printer.machineKind = reply[0];
  }
  window.Show(true);
  CenterWindow(window);
  if (!ctx.mainTabsBuilt) BuildTabs(window, ctx);
  ctx.panelVisible = 1;
}

void MainWindowProc(Window& window, const DialogMessage& message) {
  auto* ctx = static_cast<AppContext*>(window.UserData());
  switch (message.event) {
    case DialogEvent::Init:
      window.SetUserData(message.param);
      SetTrayIcon(window, TrayAction::Add);
      // The invisible label's mnemonic (Alt+A) moves the focus to the field.
      window.SetItemText(kPasswordLabel, "&admin");
      window.LimitText(kPasswordField, 10);
      break;
    case DialogEvent::Command:
      if (ctx) OnCommand(window, *ctx, message.id, message.code);
      break;
    case DialogEvent::Timer:
      if (ctx) OnTimer(window, *ctx, message.id);
      break;
    case DialogEvent::TabChanged:
      if (ctx && message.id == kMainTab) ShowOnlySelectedPage(window, *ctx);
      break;
    case DialogEvent::Close: window.Show(false); break;
    case DialogEvent::TrayIcon:
      if (!ctx) break;
      // A click on a notification opens the window as the icon does.
      if (message.code == kMouseLeftDoubleClick || message.code == kNotificationClicked)
        OpenMainWindow(window, *ctx);
      // A dismissed menu gives 0, which the command handler ignores.
      else if (message.code == kMouseRightUp)
        MainWindowProc(window, {DialogEvent::Command, ShowTrayMenu(window), 0});
      break;
    default: break;
  }
}
