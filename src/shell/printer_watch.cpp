#include "shell/printer_watch.h"

#include <string_view>
#include <vector>

#include "common/string_table.h"
#include "device/device_link.h"
#include "page_helpers/link_session.h"
#include "printer/status_notification.h"
#include "printer/status_read.h"
#include "printer/status_severity.h"
#include "shell/tray_icon.h"
#include "string_ids.h"

namespace {

bool Contains(const StatusList& list, std::string_view code) {
  for (int i = 0; i < list.count; ++i)
    if (StatusCodeText(list, i) == code) return true;
  return false;
}

IconState IconOf(Severity severity) {
  switch (severity) {
    case Severity::kReady: return IconState::kReady;
    case Severity::kWarning: return IconState::kWarning;
    case Severity::kError: return IconState::kError;
    case Severity::kNoPrinter: return IconState::kNoPrinter;
  }
  return IconState::kNoPrinter;
}

// The sign of a notification about codes the printer reported.
NotificationKind KindOf(Severity severity) {
  return severity == Severity::kError     ? NotificationKind::kError
         : severity == Severity::kWarning ? NotificationKind::kWarning
                                          : NotificationKind::kInfo;
}

}  // namespace

PrinterWatch::~PrinterWatch() {
  *alive_ = false;
  if (worker_.joinable()) worker_.join();
}

void PrinterWatch::Start(Window& mainWindow) {
  Beat(mainWindow);
  mainWindow.SetTimer(kWatchTimer, seconds_ * 1000);
}

void PrinterWatch::Beat(Window& mainWindow) {
  if (reading_ || turn_.ActionHolds()) return;
  // A link the window's last action left open is idle: closed, as any
  // opening of the printer closes it.
  windowLink_.Close();
  Platform& platform = CurrentPlatform();
  if (!platform.RunsWorkers()) {
    Show(mainWindow, ReadPrinter());
    return;
  }
  reading_ = true;
  if (worker_.joinable()) worker_.join();  // the last one has handed over
  worker_ = std::thread(
      [this, &mainWindow, alive = alive_, handOver = platform.WindowThreadCaller(mainWindow)] {
        Reading reading = ReadPrinter();
        handOver([this, &mainWindow, alive, reading] {
          if (!*alive) return;  // on the window's thread, as the watch's end
          reading_ = false;
          Show(mainWindow, reading);
        });
      });
}

void PrinterWatch::Show(Window& mainWindow, const Reading& reading) {
  if (reading.skipped) return;
  NotifyChange(mainWindow, reading);
  ShowState(mainWindow, reading);
  answeredBefore_ = reading.answered;
  if (!reading.answered) return;
  everAnswered_ = true;
  last_ = reading.list;
}

PrinterWatch::Reading PrinterWatch::ReadPrinter() {
  Reading reading;
  if (!turn_.TryTakeForBeat()) {
    reading.skipped = true;
    return reading;
  }
  if (!link_.Open()) {
    reading.failureText = WindowMessageOf(link_.OpenError());
  } else if (const ReadFailure failure = ReadStatusList(link_, reading.list)) {
    reading.failureText = WindowMessageOf(*failure);
  } else {
    reading.answered = true;
  }
  link_.Close();
  turn_.EndBeat();
  return reading;
}

void PrinterWatch::ShowState(Window& mainWindow, const Reading& reading) {
  const Severity severity = reading.answered ? WorstSeverity(reading.list) : Severity::kNoPrinter;
  std::string tip = kTrayTip;
  if (severity == Severity::kNoPrinter) {
    tip += "\n" + TextOrEmpty(kTextPrinterNotAnswering);
  } else if (severity != Severity::kReady) {
    const int index = MostSevereCodeIndex(reading.list);
    const std::string first = StatusCodeLines(StatusCodeText(reading.list, index))[0];
    tip += "\n" + (first.empty() ? TextOrEmpty(SeverityTextId(severity)) : first);
  }
  const IconState state = IconOf(severity);
  if (state == shownState_ && tip == shownTip_) return;
  shownState_ = state;
  shownTip_ = tip;
  CurrentPlatform().SetTrayIconState(mainWindow, kTrayIconId, state, tip);
}

// One notification a change: the printer stopped answering, answers again,
// or reports a warning or an error it did not report at the last read.
void PrinterWatch::NotifyChange(Window& mainWindow, const Reading& reading) {
  Platform& platform = CurrentPlatform();
  if (!reading.answered) {
    if (answeredBefore_)
      platform.Notify(mainWindow, kTrayIconId, NotificationKind::kWarning,
                      TextOrEmpty(kTextPrinterNotAnswering), TextOrEmpty(reading.failureText));
    return;
  }
  const bool back = !answeredBefore_ && everAnswered_;
  std::vector<std::string_view> codes;
  for (int i = 0; i < reading.list.count; ++i) {
    const std::string_view code = StatusCodeText(reading.list, i);
    const Severity severity = SeverityOfCode(StatusCodeAt(reading.list, i));
    // Back again, the printer's whole list is news.
    const bool news = back || (severity != Severity::kReady && !Contains(last_, code));
    if (news) codes.push_back(code);
  }
  if (codes.empty() && !back) return;
  const StatusNotification notification = NotificationOfCodes(codes);
  platform.Notify(mainWindow, kTrayIconId, KindOf(notification.severity), notification.title,
                  notification.text);
}
