#include "win32_scenario_platform.h"

ScenarioWin32Platform::ScenarioWin32Platform(Transcript& transcript)
    : RecordingPlatform(transcript), win32_(GetModuleHandleW(nullptr)) {}

int ScenarioWin32Platform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  Record().Menu(items);
  menu_ = items;
  int command = RecordingPlatform::TrackMenu(owner, items);
  menu_.clear();
  return command;
}
