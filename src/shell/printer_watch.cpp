#include "shell/printer_watch.h"

#include <string_view>
#include <vector>

#include "common/string_table.h"
#include "device/device_link.h"
#include "page_helpers/link_session.h"
#include "printer/status_messages.h"
#include "printer/status_read.h"
#include "printer/status_severity.h"
#include "shell/tray_icon.h"
#include "string_ids.h"

namespace {

std::string_view CodeAt(const StatusList& list, int index) {
  std::string_view code(StatusCodeAt(list, index), kStatusCodeLength);
  return code.substr(0, code.find('\0'));
}

bool Contains(const StatusList& list, std::string_view code) {
  for (int i = 0; i < list.count; ++i)
    if (CodeAt(list, i) == code) return true;
  return false;
}

// A panel line without the blanks some texts end in for the display.
std::string TrimmedLine(const PanelLine& line) {
  std::string text = ComposePanelLine(line);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The printer's state in one word, in the user's language.
int SeverityText(Severity severity) {
  switch (severity) {
    case Severity::kReady: return kTextPrinterReady;
    case Severity::kWarning: return kTextPrinterWarning;
    case Severity::kError: return kTextPrinterError;
    case Severity::kNoPrinter: return kTextPrinterNotAnswering;
  }
  return kTextPrinterNotAnswering;
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

// The panel lines of a code; a code the program cannot read stands for
// itself (printable characters only: it comes from the device).
std::vector<std::string> LinesOf(std::string_view code) {
  const auto message = LookupStatusMessage(code.data());
  if (!message || code.size() < kStatusCodeLength) {
    std::string shown;
    for (char c : code) shown += c > ' ' && c < 0x7F ? c : '?';
    return {shown};
  }
  std::vector<std::string> lines = {TrimmedLine(message->line1)};
  if (message->line2.stringId != 0) lines.push_back(TrimmedLine(message->line2));
  return lines;
}

std::string JoinedLines(const std::vector<std::string_view>& codes) {
  std::string text;
  for (std::string_view code : codes)
    for (const std::string& line : LinesOf(code)) text += (text.empty() ? "" : "\n") + line;
  return text;
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
    const std::string first = LinesOf(CodeAt(reading.list, MostSevereCodeIndex(reading.list)))[0];
    tip += "\n" + (first.empty() ? TextOrEmpty(SeverityText(severity)) : first);
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
  Severity worst = Severity::kReady;
  for (int i = 0; i < reading.list.count; ++i) {
    const std::string_view code = CodeAt(reading.list, i);
    const Severity severity = SeverityOfCode(StatusCodeAt(reading.list, i));
    // Back again, the printer's whole list is news.
    const bool news = back || (severity != Severity::kReady && !Contains(last_, code));
    if (!news) continue;
    codes.push_back(code);
    if (severity > worst) worst = severity;
  }
  if (codes.empty() && !back) return;
  std::string text = JoinedLines(codes);
  if (text.empty()) text = TextOrEmpty(SeverityText(worst));
  platform.Notify(mainWindow, kTrayIconId, KindOf(worst), TextOrEmpty(SeverityText(worst)), text);
}
