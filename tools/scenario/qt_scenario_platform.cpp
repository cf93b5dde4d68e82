#include "qt_scenario_platform.h"

#include <QPixmap>

namespace {

// The icon is never looked at: a plain square stands in for the program's.
QIcon PlainIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::darkCyan);
  return QIcon(pixmap);
}

}  // namespace

ScenarioQtPlatform::ScenarioQtPlatform(Transcript& transcript)
    : qt_(PlainIcon()), transcript_(transcript) {}

void ScenarioQtPlatform::AddTrayIcon(Window& owner, int iconId, const char* tip) {
  qt_.AddTrayIcon(owner, iconId, tip);
  transcript_.IconAdded(tip);
}

void ScenarioQtPlatform::RemoveTrayIcon(Window& owner, int iconId) {
  if (!qt_.TrayIcon()) return;
  qt_.RemoveTrayIcon(owner, iconId);
  transcript_.IconRemoved();
}

void ScenarioQtPlatform::SetTrayIconState(Window& owner, int iconId, IconState state,
                                          const std::string& tip) {
  qt_.SetTrayIconState(owner, iconId, state, tip);
  transcript_.IconState(state, tip);
}

// Written only: a story's notifications stay off the desktop the runner
// runs on. A click on one is the icon's messageClicked, as Qt reports it.
void ScenarioQtPlatform::Notify(Window&, int, NotificationKind kind, const std::string& title,
                                const std::string& text) {
  transcript_.Notification(kind, title, text);
}

int ScenarioQtPlatform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  int command = qt_.TrackMenu(owner, items);
  if (command == 0) transcript_.MenuDismissed();
  return command;
}

void ScenarioQtPlatform::DebugTrace(const char* text) {
  qt_.DebugTrace(text);
  transcript_.DebugTrace(text);
}

void ScenarioQtPlatform::FileWritten(const std::string& path) {
  qt_.FileWritten(path);
  transcript_.FileWritten(path);
}
