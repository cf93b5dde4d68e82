// The program's platform on a runner's desktop: the toolkit's own, with
// what it does that a user sees written to the transcript (the icon, the
// menu dismissed, notifications, files written, debug traces). Each
// toolkit's runner derives its own, which holds the toolkit's platform and
// adds only what that toolkit needs.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/headless/transcript.h"

class RecordingPlatform : public Platform {
 public:
  // The notification icon's owner and id; null while there is none.
  Window* IconOwner() const { return iconOwner_; }
  int IconId() const { return iconId_; }

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override;
  int RunMessageLoop() override;
  void Quit(int code) override;
  bool AcquireSingleInstance(const char* name, int request) override;
  void ReleaseSingleInstance() override;
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override;
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  // The desktop has a notification area, as the stories assume, even where
  // the toolkit shows no icons (Qt offscreen): the runner clicks it.
  bool NotificationAreaAvailable() override { return true; }
  Size ScreenSize() override;
  Rect WorkArea() override;
  void DebugTrace(const char* text) override;
  void FileWritten(const std::string& path) override;

 protected:
  explicit RecordingPlatform(Transcript& transcript) : transcript_(transcript) {}
  ~RecordingPlatform() override = default;
  // The toolkit's platform, which does the work.
  virtual Platform& Toolkit() = 0;
  Transcript& Record() const { return transcript_; }

 private:
  Transcript& transcript_;
  Window* iconOwner_ = nullptr;
  int iconId_ = 0;
};
