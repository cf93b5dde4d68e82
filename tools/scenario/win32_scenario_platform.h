// The program's platform on the runner's Wine desktop: the Win32 one, with
// what it does that a user sees written to the transcript (the icon, the
// menu and its dismissal, files written, debug traces).
#pragma once

#include <windows.h>

#include <vector>

#include "ui/dialog.h"
#include "ui/headless/transcript.h"
#include "ui/win32/win32_platform.h"

class ScenarioWin32Platform final : public Platform {
 public:
  explicit ScenarioWin32Platform(Transcript& transcript);

  // The notification icon's owner and id; null when there is none.
  HWND IconOwner() const { return iconOwner_; }
  int IconId() const { return iconId_; }
  // The open menu's items, in order.
  const std::vector<MenuItem>& MenuItems() const { return menu_; }

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override {
    return win32_.CreateModeless(templateId, proc, param);
  }
  int RunMessageLoop() override { return win32_.RunMessageLoop(); }
  void Quit(int code) override { win32_.Quit(code); }
  bool AcquireSingleInstance(const char* name) override {
    return win32_.AcquireSingleInstance(name);
  }
  void ReleaseSingleInstance() override { win32_.ReleaseSingleInstance(); }
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override;
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  // The desktop has a notification area, as the stories assume.
  bool NotificationAreaAvailable() override { return true; }
  Size ScreenSize() override { return win32_.ScreenSize(); }
  void DebugTrace(const char* text) override;
  void FileWritten(const std::string& path) override;

 private:
  Win32Platform win32_;
  Transcript& transcript_;
  HWND iconOwner_ = nullptr;
  int iconId_ = 0;
  std::vector<MenuItem> menu_;
};
