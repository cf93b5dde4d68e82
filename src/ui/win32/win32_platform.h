// The Win32 platform: the message loop with the dialog keyboard handling,
// the notification icon and its menu, the single-instance mutex (with a
// message-only window beside it that later starts post their request to),
// the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/win32/win32_keyboard.h"
#include "ui/win32/win32_window.h"

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override;
  int RunMessageLoop() override;
  void Quit(int code) override;
  bool AcquireSingleInstance(const char* name, int request) override;
  void ReleaseSingleInstance() override;
  void ListenForLaterStarts(Window& owner, int command, int endRequest) override;
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  // The state's icon (resources 131 to 134) and the tip, cut to what the
  // notification area holds.
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override;
  // A balloon of the icon (NIF_INFO); its click comes as NIN_BALLOONUSERCLICK.
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  Size ScreenSize() override;
  Rect WorkArea() override;
  void DebugTrace(const char* text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  bool RunsWorkers() override { return true; }
  ThreadCaller WindowThreadCaller(Window& owner) override;

 private:
  bool NotifyTray(DWORD action);
  HICON TrayIconFor(IconState state);

  HINSTANCE instance_;
  HANDLE mutex_ = nullptr;
  std::string guard_;           // the single-instance name
  HWND laterStarts_ = nullptr;  // the message-only window later starts post to
  std::function<void(int)> heardLaterStart_;
  UINT taskbarCreated_;
  std::vector<std::unique_ptr<Win32Window>> windows_;
  HWND trayOwner_ = nullptr;
  UINT trayId_ = 0;
  std::wstring trayTip_;
  HICON trayIcon_ = nullptr;
  HICON stateIcons_[4] = {};   // loaded at their first use
  HICON shownIcon_ = nullptr;  // the plain icon, or the watch's state
  DialogKeysInModalLoops modalKeys_;
  int waitCursorDepth_ = 0;
  HCURSOR cursorBeforeWait_ = nullptr;
};
