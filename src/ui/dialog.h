// The toolkit-neutral dialog layer. Every window of the program is a dialog
// built from a template (dialog_template.h) and run by a dialog procedure
// that handles the messages it needs, by control id. A backend (headless,
// Qt, Win32) provides the windows and the platform services below.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/message_owner.h"

class Window;

// Command identifiers the platform itself sends.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;  // Escape, or the default handling of a close
inline constexpr int kIdRetry = 4;

// Notification codes that come with a command.
inline constexpr int kButtonClicked = 0;
inline constexpr int kListSelectionChanged = 1;
inline constexpr int kEditSetFocus = 0x100;
inline constexpr int kEditKillFocus = 0x200;
inline constexpr int kEditChanged = 0x300;
inline constexpr int kEditUpdated = 0x400;

// Horizontal scroll codes of a trackbar.
enum ScrollCode : int {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollTop = 6,
  kScrollBottom = 7,
  kScrollEnd = 8,
};

// Where a trackbar puts its thumb for a scroll code before it notifies its
// owner: position is the thumb's place for the thumb codes, page the step of
// a page; the result stays in the range.
inline int TrackbarMove(int code, int current, int position, int minimum, int maximum, int page) {
  long long pos = current;  // a current value at an int's end can still step
  switch (code) {
    case kScrollLineUp: pos -= 1; break;
    case kScrollLineDown: pos += 1; break;
    case kScrollPageUp: pos -= page; break;
    case kScrollPageDown: pos += page; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: pos = position; break;
    case kScrollTop: pos = minimum; break;
    case kScrollBottom: pos = maximum; break;
    default: break;
  }
  return pos < minimum ? minimum : pos > maximum ? maximum : static_cast<int>(pos);
}

// Mouse messages that come with a notification-icon callback.
inline constexpr int kMouseLeftDown = 513;
inline constexpr int kMouseLeftUp = 514;
inline constexpr int kMouseLeftDoubleClick = 515;
inline constexpr int kMouseRightDown = 516;
inline constexpr int kMouseRightUp = 517;
// The user clicked the icon's notification (a balloon, or the desktop's
// notification).
inline constexpr int kNotificationClicked = 1029;

// What the notification icon shows: the program's own picture, or the
// printer's state drawn on it (the watch).
enum class IconState { kPlain, kReady, kWarning, kError, kNoPrinter };
// The sign a notification carries.
enum class NotificationKind { kInfo, kWarning, kError };

enum class DialogEvent {
  Init,        // param: the creation parameter
  Command,     // id: control or command id; code: notification
  TabChanged,  // id: the tab control whose selection the user changed
  Timer,       // id: timer id
  HScroll,     // id: the trackbar; code: scroll code
  Paint,       // the window must be repainted
  Close,       // the title bar's close (followed by the Cancel command)
  TrayIcon,    // id: icon id; code: mouse message
};

struct DialogMessage {
  DialogEvent event;
  int id = 0;
  int code = 0;
  void* param = nullptr;
};

// Every message is reported as not handled: the backend applies the
// platform's default dialog handling afterwards.
using DialogProc = void (*)(Window& window, const DialogMessage& message);

// For backends whose toolkit has no default dialog handling: hands the
// message to the procedure, then does what that handling does after it, a
// close becoming the Cancel command. Nothing once destroyed is set (the
// procedure may destroy the window).
void DeliverDialogMessage(DialogProc proc, Window& window, const DialogMessage& message,
                          const bool& destroyed);

struct Rect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct Size {
  int width, height;
};

// What the panel display needs of a drawing surface.
class Surface {
 public:
  // White fill and a one-pixel black frame; right and bottom exclusive.
  virtual void FramedWhiteRect(const Rect& rect) = 0;
  virtual void SelectFont(const char* face, int pixelHeight, int weight) = 0;
  // Black text on an opaque white background, top-left corner at (x, y),
  // not clipped to any box.
  virtual void TextAt(int x, int y, const std::string& text) = 0;

 protected:
  ~Surface() = default;
};

// The texts a drawing leaves in its framed box, as (y, x, text): what tests
// record of a display.
using DrawnTexts = std::vector<std::tuple<int, int, std::string>>;

enum class MessageButtons { Ok, RetryCancel };

struct SaveFileRequest {
  std::string filterText;     // "INI FILE(*.INI)"
  std::string filterPattern;  // "*.INI"
  std::string defaultExtension;
  std::string proposedName;
};

class Window : public MessageOwner {
 public:
  virtual ~Window() = default;

  virtual int TemplateId() const = 0;
  virtual void SetUserData(void* data) = 0;
  virtual void* UserData() const = 0;

  // Texts.
  virtual void SetTitle(const std::string& text) = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  virtual std::string ItemText(int id) const = 0;
  virtual void LimitText(int id, int characters) = 0;

  // Check boxes and radio buttons.
  virtual void CheckButton(int id, bool checked) = 0;
  virtual bool IsButtonChecked(int id) const = 0;

  // Drop-down lists: entries with a 32-bit item value each.
  virtual int ListAdd(int id, const std::string& text, std::int32_t data) = 0;
  virtual void ListSelect(int id, int index) = 0;
  virtual int ListSelection(int id) const = 0;  // -1 when nothing is selected
  virtual std::int32_t ListItemData(int id, int index) const = 0;
  virtual int ListCount(int id) const = 0;

  // Trackbars.
  virtual void TrackbarSetRange(int id, int minimum, int maximum) = 0;
  virtual void TrackbarSetPos(int id, int position) = 0;
  virtual int TrackbarPos(int id) const = 0;

  // Visibility and focus.
  virtual void ShowItem(int id, bool shown) = 0;
  virtual bool IsItemShown(int id) const = 0;
  virtual void Show(bool shown) = 0;
  virtual bool IsShown() const = 0;
  virtual void FocusItem(int id) = 0;

  // Tab controls, and pages shown in them.
  virtual void TabInsert(int id, int index, const std::string& text) = 0;
  virtual void TabSelect(int id, int index) = 0;
  virtual int TabSelection(int id) const = 0;
  // A child page from a template, placed in the tab control's display
  // area and hidden; proc may be null (a page without a procedure).
  virtual Window* CreateTabPage(int tabId, int templateId, DialogProc proc, void* param) = 0;

  // Geometry (pixels): a control's rectangle in this window's client
  // coordinates, the window's outer rectangle on the screen.
  virtual Rect ItemRect(int id) const = 0;
  virtual Rect WindowRect() const = 0;
  virtual void MoveTo(int x, int y) = 0;

  // Draws on the window outside a repaint, or inside one while handling
  // DialogEvent::Paint.
  virtual void Draw(const std::function<void(Surface&)>& drawing) = 0;

  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;

  // Modal things owned by this window. Message boxes have an empty caption.
  virtual int ShowMessageBox(const std::string& text, MessageButtons buttons) = 0;
  // The chosen path, or empty when cancelled.
  virtual std::string PromptSaveFile(const SaveFileRequest& request) = 0;
  virtual int RunModal(int templateId, DialogProc proc, void* param) = 0;
  virtual void EndDialog(int result) = 0;
  virtual void Destroy() = 0;

  // MessageOwner: the string in a message box with an OK button.
  void ShowMessage(int stringId) override;
};

struct MenuItem {
  int stringId;
  int command;
};

// Services of the platform that belong to no window.
class Platform {
 public:
  virtual ~Platform() = default;
  // A modeless top-level dialog without owner, created hidden.
  virtual Window* CreateModeless(int templateId, DialogProc proc, void* param) = 0;
  // Runs until Quit; returns its code.
  virtual int RunMessageLoop() = 0;
  virtual void Quit(int code) = 0;
  // False when another instance holds the guard; that instance then hears
  // of this start and of its request, a number the program gives meaning
  // to (ListenForLaterStarts).
  virtual bool AcquireSingleInstance(const char* name, int request) = 0;
  virtual void ReleaseSingleInstance() = 0;
  // A later start of the program, while this instance holds the guard,
  // reaches owner as this command, its request the notification code. While
  // a modal window is open a later start brings that window to the front
  // instead, but for endRequest, which reaches owner once the modal loops
  // have ended. Nothing by default.
  virtual void ListenForLaterStarts(Window& /*owner*/, int /*command*/, int /*endRequest*/) {}
  // The notification icon: its messages reach the owner's procedure as
  // DialogEvent::TrayIcon.
  virtual void AddTrayIcon(Window& owner, int iconId, const char* tip) = 0;
  virtual void RemoveTrayIcon(Window& owner, int iconId) = 0;
  // Changes the icon's picture and tip (lines separated by LF); nothing by
  // default.
  virtual void SetTrayIconState(Window& /*owner*/, int /*iconId*/, IconState /*state*/,
                                const std::string& /*tip*/) {}
  // A notification from the icon (or, with no notification area, from the
  // desktop); a click on it reaches the owner as a TrayIcon event with
  // kNotificationClicked. Nothing by default.
  virtual void Notify(Window& /*owner*/, int /*iconId*/, NotificationKind /*kind*/,
                      const std::string& /*title*/, const std::string& /*text*/) {}
  // Shows a popup menu at the cursor and returns the chosen command, 0 when dismissed.
  virtual int TrackMenu(Window& owner, const std::vector<MenuItem>& items) = 0;
  // False when no notification area is there to show the icon (it appears
  // when one comes); the program then opens its window at start.
  virtual bool NotificationAreaAvailable() { return true; }
  virtual Size ScreenSize() = 0;
  // The part of the screen a window may cover (without task bars and
  // panels), in screen coordinates; the whole screen by default.
  virtual Rect WorkArea() {
    const Size screen = ScreenSize();
    return {0, 0, screen.width, screen.height};
  }
  virtual void DebugTrace(const char* text) = 0;
  // A file the program has just written in full (the export), for the
  // platform's own record; nothing by default.
  virtual void FileWritten(const std::string& /*path*/) {}
  // The pointer shows the wait cursor from Begin to the matching End (they
  // nest); nothing by default.
  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
  // Whether slow work (reading the printer for the watch) may run on a
  // thread of its own; a platform that records what happens in order (the
  // headless one) runs it in place. False by default.
  virtual bool RunsWorkers() { return false; }
  // What calls a function soon on owner's thread, from its message loop or
  // any modal loop; safe to use from any thread, also once owner is gone
  // (the call is then dropped). By default it calls at once.
  using ThreadCaller = std::function<void(std::function<void()>)>;
  virtual ThreadCaller WindowThreadCaller(Window& /*owner*/) {
    return [](const std::function<void()>& call) { call(); };
  }
};

Platform& CurrentPlatform();
// The platform in use, nullptr in a program without windows (the printer
// logic then skips what only a desktop does).
Platform* PlatformInUse();
void UsePlatform(Platform* platform);

// The wait cursor for the lifetime of an action that holds the device link.
class WaitCursor {
 public:
  WaitCursor() {
    if (Platform* platform = PlatformInUse()) platform->BeginWaitCursor();
  }
  ~WaitCursor() {
    if (Platform* platform = PlatformInUse()) platform->EndWaitCursor();
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};
