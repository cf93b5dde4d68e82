// The program's platform on the runner's Wine desktop: the Win32 one,
// recorded, with the icon's menu written from its items.
#pragma once

#include <vector>

#include "recording_platform.h"
#include "ui/headless/transcript.h"
#include "ui/win32/win32_platform.h"

class ScenarioWin32Platform final : public RecordingPlatform {
 public:
  explicit ScenarioWin32Platform(Transcript& transcript);

  // The open menu's items, in order: a user's choice is found among them.
  const std::vector<MenuItem>& MenuItems() const { return menu_; }

  // The menu's line comes from its items as it opens.
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;

 private:
  Platform& Toolkit() override { return win32_; }

  Win32Platform win32_;
  std::vector<MenuItem> menu_;
};
