// The transcript of a run: what a user would see, one line per event. The
// headless backend writes it, and every front end of the scenario runner
// writes the same lines, so that one story reads the same on every toolkit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"

// The name a window has in transcripts and scenarios ("main", "panel", ...).
std::string WindowNameOf(int templateId);

// Text in double quotes as transcripts show it: CR, LF, quotes and
// backslashes escaped, everything else (trailing blanks too) as it is.
std::string QuoteText(const std::string& text);

// The answers to a question the platform itself asks (replace a file?).
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// "OK", "Cancel", "Retry", "Yes", "No" for the message box results.
std::string ButtonName(int result);

class Transcript {
 public:
  using Log = std::function<void(const std::string&)>;
  explicit Transcript(Log log) : log_(std::move(log)) {}

  void Line(const std::string& line) { log_(line); }

  // An action the user could not do, and why.
  void NoWindow(const std::string& window) { Ignored("no window " + window); }
  void NotShown(const std::string& window) { Ignored(window + " is not shown"); }
  void Disabled(const std::string& window) { Ignored(window + " is disabled by a modal window"); }
  void NoControl(const std::string& window, int id);
  void NoEntry(const std::string& window, int id, int index);
  void NoTab(const std::string& window, int index);
  void NoIcon() { Ignored("no notification icon"); }
  void NoMenu() { Ignored("no menu is open"); }
  void NoMenuItem(const std::string& item) { Ignored("no menu item " + QuoteText(item)); }
  void NoMessageBox() { Ignored("no message box is open"); }
  void NoButton(int result) { Ignored("the message box has no " + ButtonName(result) + " button"); }
  void NoSavePrompt() { Ignored("no save prompt is open"); }

  // Windows.
  void Shown(const std::string& window, bool shown);
  void Destroyed(const std::string& window);
  void Display(const std::string& window, DrawnTexts texts);

  // Modal things and their answers.
  void MessageBox(const std::string& window, MessageButtons buttons, const std::string& text);
  void MessageBox(const std::string& window, const std::vector<int>& buttons,
                  const std::string& text);
  void Answered(int result);
  // The save prompt's own question before it replaces an existing file,
  // answered Yes or No. Its wording is the platform's and is not written.
  void ReplaceQuestion();
  void SavePrompt(const std::string& window, const SaveFileRequest& request);
  void SaveAnswered(const std::string& path);  // empty: cancelled
  void Menu(const std::vector<MenuItem>& items);
  void MenuOf(const std::vector<std::string>& texts);
  void MenuDismissed();
  // The script ended with it open: closed as Escape would close it.
  void ScriptEndedAnswer(int result);
  void ScriptEndedSavePrompt();
  void ScriptEndedMenu();
  void ScriptEndedClose(const std::string& window);

  // The platform's services.
  void IconAdded(const std::string& tip);
  void IconRemoved();
  // The icon's new picture and tip ("icon: warning", "tip: ...").
  void IconState(::IconState state, const std::string& tip);
  void Notification(NotificationKind kind, const std::string& title, const std::string& text);
  void DebugTrace(const std::string& text);
  void FileWritten(const std::string& path);

  // What a control shows (show WINDOW ID).
  void NoSuchControl(const std::string& window, int id);
  // The window answers what the dialog layer reads back; a list entry's
  // text and the tabs' texts, which it does not, come from the front end.
  struct ControlTexts {
    std::function<std::string(int index)> listEntry;
    std::function<std::vector<std::string>()> tabs;
  };
  void ControlShows(const std::string& name, const Window& window, int id, bool hidden,
                    const ControlTexts& texts);

 private:
  void Ignored(const std::string& why) { log_("ignored: " + why); }

  Log log_;
};
