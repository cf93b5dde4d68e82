// The watch of the printer's status, asked for with --watch: every period
// one status request on a link of its own, the icon's state and tip, and a
// notification when the printer newly needs someone. It keeps its own
// copy of the codes: the panel page's list belongs to the user's Status.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "device/device_link.h"
#include "printer/status_list.h"
#include "ui/dialog.h"

class PrinterTurn;

inline constexpr int kWatchTimer = 3;  // a timer of the main window
inline constexpr int kWatchDefaultSeconds = 60;
inline constexpr int kWatchShortestSeconds = 10;
inline constexpr int kWatchLongestSeconds = 3600;

// The beat reads the printer on a worker thread where the platform has one
// (Platform::RunsWorkers) and hands the reading to the window's thread,
// which alone touches the icon and the notifications: a printer that hangs
// never holds the window.
class PrinterWatch {
 public:
  // The watch's link uses backend; turn is the printer's, shared with the
  // window's actions; windowLink is the window's, which a beat closes when
  // it was left open (as the beat's own opening once did).
  PrinterWatch(int seconds, const DeviceBackend& backend, PrinterTurn& turn, DeviceLink& windowLink)
      : seconds_(seconds), link_(backend), turn_(turn), windowLink_(windowLink) {}
  // Waits for a beat in flight.
  ~PrinterWatch();
  PrinterWatch(const PrinterWatch&) = delete;
  PrinterWatch& operator=(const PrinterWatch&) = delete;

  // Reads the printer once and starts the period's timer on the window
  // that owns the notification icon.
  void Start(Window& mainWindow);
  // One period: skipped while a user's action holds the printer or the
  // last beat's read is still out.
  void Beat(Window& mainWindow);

 private:
  // What one read found: the codes, or the text of why nothing came.
  struct Reading {
    bool skipped = false;  // the printer was the user's: nothing read
    bool answered = false;
    StatusList list;
    int failureText = 0;
  };
  Reading ReadPrinter();  // on the worker
  void Show(Window& mainWindow, const Reading& reading);
  void ShowState(Window& mainWindow, const Reading& reading);
  void NotifyChange(Window& mainWindow, const Reading& reading);

  int seconds_;
  DeviceLink link_;  // the worker's alone
  PrinterTurn& turn_;
  DeviceLink& windowLink_;
  std::thread worker_;
  bool reading_ = false;  // a beat's read is out
  // False once the watch is gone, for a reading handed over too late.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool answeredBefore_ = false;  // the last read had an answer
  bool everAnswered_ = false;
  StatusList last_;  // the codes of the last answer
  IconState shownState_ = IconState::kPlain;
  std::string shownTip_;
};
