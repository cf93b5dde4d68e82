// The watch of the printer's status, asked for with --watch: every period
// one status request on a link of its own, the icon's state and tip, and a
// notification when the printer newly needs someone. It keeps its own
// copy of the codes: the panel page's list belongs to the user's Status.
#pragma once

#include <string>

#include "printer/status_list.h"
#include "ui/dialog.h"

inline constexpr int kWatchTimer = 3;  // a timer of the main window
inline constexpr int kWatchDefaultSeconds = 60;
inline constexpr int kWatchShortestSeconds = 10;
inline constexpr int kWatchLongestSeconds = 3600;

class PrinterWatch {
 public:
  explicit PrinterWatch(int seconds) : seconds_(seconds) {}

  // Reads the printer once and starts the period's timer on the window
  // that owns the notification icon.
  void Start(Window& mainWindow);
  // One period: skipped while a user's action holds the link.
  void Beat(Window& mainWindow);

 private:
  // What one read found: the codes, or the text of why nothing came.
  struct Reading {
    bool answered = false;
    StatusList list;
    int failureText = 0;
  };
  static Reading ReadPrinter();
  void ShowState(Window& mainWindow, const Reading& reading);
  void NotifyChange(Window& mainWindow, const Reading& reading);

  int seconds_;
  bool answeredBefore_ = false;  // the last read had an answer
  bool everAnswered_ = false;
  StatusList last_;  // the codes of the last answer
  IconState shownState_ = IconState::kPlain;
  std::string shownTip_;
};
