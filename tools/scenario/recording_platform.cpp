#include "recording_platform.h"

Window* RecordingPlatform::CreateModeless(int templateId, DialogProc proc, void* param) {
  return Toolkit().CreateModeless(templateId, proc, param);
}

int RecordingPlatform::RunMessageLoop() { return Toolkit().RunMessageLoop(); }

void RecordingPlatform::Quit(int code) { Toolkit().Quit(code); }

bool RecordingPlatform::AcquireSingleInstance(const char* name, int request) {
  return Toolkit().AcquireSingleInstance(name, request);
}

void RecordingPlatform::ReleaseSingleInstance() { Toolkit().ReleaseSingleInstance(); }

void RecordingPlatform::AddTrayIcon(Window& owner, int iconId, const char* tip) {
  Toolkit().AddTrayIcon(owner, iconId, tip);
  iconOwner_ = &owner;
  iconId_ = iconId;
  transcript_.IconAdded(tip);
}

void RecordingPlatform::RemoveTrayIcon(Window& owner, int iconId) {
  if (!iconOwner_) return;
  Toolkit().RemoveTrayIcon(owner, iconId);
  iconOwner_ = nullptr;
  transcript_.IconRemoved();
}

void RecordingPlatform::SetTrayIconState(Window& owner, int iconId, IconState state,
                                         const std::string& tip) {
  Toolkit().SetTrayIconState(owner, iconId, state, tip);
  transcript_.IconState(state, tip);
}

void RecordingPlatform::Notify(Window& owner, int iconId, NotificationKind kind,
                               const std::string& title, const std::string& text) {
  Toolkit().Notify(owner, iconId, kind, title, text);
  transcript_.Notification(kind, title, text);
}

int RecordingPlatform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  int command = Toolkit().TrackMenu(owner, items);
  if (command == 0) transcript_.MenuDismissed();
  return command;
}

Size RecordingPlatform::ScreenSize() { return Toolkit().ScreenSize(); }

Rect RecordingPlatform::WorkArea() { return Toolkit().WorkArea(); }

void RecordingPlatform::DebugTrace(const char* text) {
  Toolkit().DebugTrace(text);
  transcript_.DebugTrace(text);
}

void RecordingPlatform::FileWritten(const std::string& path) {
  Toolkit().FileWritten(path);
  transcript_.FileWritten(path);
}
