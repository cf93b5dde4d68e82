#include "win32_scenario_platform.h"

#include "ui/win32/win32_window.h"

ScenarioWin32Platform::ScenarioWin32Platform(Transcript& transcript)
    : win32_(GetModuleHandleW(nullptr)), transcript_(transcript) {}

void ScenarioWin32Platform::AddTrayIcon(Window& owner, int iconId, const char* tip) {
  win32_.AddTrayIcon(owner, iconId, tip);
  iconOwner_ = static_cast<Win32Window&>(owner).Handle();
  iconId_ = iconId;
  transcript_.IconAdded(tip);
}

void ScenarioWin32Platform::RemoveTrayIcon(Window& owner, int iconId) {
  if (!iconOwner_) return;
  win32_.RemoveTrayIcon(owner, iconId);
  iconOwner_ = nullptr;
  transcript_.IconRemoved();
}

void ScenarioWin32Platform::SetTrayIconState(Window& owner, int iconId, IconState state,
                                             const std::string& tip) {
  win32_.SetTrayIconState(owner, iconId, state, tip);
  transcript_.IconState(state, tip);
}

void ScenarioWin32Platform::Notify(Window& owner, int iconId, NotificationKind kind,
                                   const std::string& title, const std::string& text) {
  win32_.Notify(owner, iconId, kind, title, text);
  transcript_.Notification(kind, title, text);
}

int ScenarioWin32Platform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  transcript_.Menu(items);
  menu_ = items;
  int command = win32_.TrackMenu(owner, items);
  menu_.clear();
  if (command == 0) transcript_.MenuDismissed();
  return command;
}

void ScenarioWin32Platform::DebugTrace(const char* text) {
  win32_.DebugTrace(text);
  transcript_.DebugTrace(text);
}

void ScenarioWin32Platform::FileWritten(const std::string& path) {
  win32_.FileWritten(path);
  transcript_.FileWritten(path);
}
