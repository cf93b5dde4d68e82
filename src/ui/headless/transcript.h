// The transcript of a run: what a user would see, one line per event. The
// headless backend writes it, and every front end of the scenario runner
// writes the same lines, so that one story reads the same on every toolkit.
#pragma once

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "ui/dialog.h"

// The name a window has in transcripts and scenarios ("main", "panel", ...).
std::string WindowNameOf(int templateId);

// Text in double quotes as transcripts show it: CR, LF, quotes and
// backslashes escaped, everything else (trailing blanks too) as it is.
std::string QuoteText(const std::string& text);

// "OK", "Cancel", "Retry" for the message box results.
std::string ButtonName(int result);

// The texts one drawing of a display leaves in its box: (y, x, text).
using DrawnTexts = std::vector<std::tuple<int, int, std::string>>;

class Transcript {
 public:
  using Log = std::function<void(const std::string&)>;
  explicit Transcript(Log log) : log_(std::move(log)) {}

  void Line(const std::string& line) { log_(line); }
  void Ignored(const std::string& why) { log_("ignored: " + why); }

  // Windows.
  void Shown(const std::string& window, bool shown);
  void Destroyed(const std::string& window);
  void Display(const std::string& window, DrawnTexts texts);

  // Modal things and their answers.
  void MessageBox(const std::string& window, MessageButtons buttons, const std::string& text);
  void Answered(int result);
  void SavePrompt(const std::string& window, const SaveFileRequest& request);
  void SaveAnswered(const std::string& path);  // empty: cancelled
  void Menu(const std::vector<MenuItem>& items);
  void MenuDismissed();
  // The script ended with it open: closed as Escape would close it.
  void ScriptEndedAnswer(int result);
  void ScriptEndedSavePrompt();
  void ScriptEndedMenu();
  void ScriptEndedClose(const std::string& window);

  // The platform's services.
  void IconAdded(const std::string& tip);
  void IconRemoved();
  void DebugTrace(const std::string& text);
  void FileWritten(const std::string& path);

  // What a control shows (show WINDOW ID).
  void NoSuchControl(const std::string& window, int id);
  void ControlShows(const std::string& window, int id, bool hidden, const std::string& what);
  static std::string Check(bool checked, const std::string& text);
  static std::string ListEntry(int selection, const std::string& text, int count);
  static std::string Thumb(int position);
  static std::string Tabs(const std::vector<std::string>& tabs, int selected);

 private:
  Log log_;
};
