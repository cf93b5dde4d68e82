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
    : RecordingPlatform(transcript), qt_(PlainIcon()) {}

void ScenarioQtPlatform::Notify(Window&, int, NotificationKind kind, const std::string& title,
                                const std::string& text) {
  Record().Notification(kind, title, text);
}
