#include "printer/status_notification.h"

#include <algorithm>
#include <array>

#include "common/string_table.h"
#include "printer/status_messages.h"
#include "string_ids.h"

namespace {

using SixBytes = std::array<char, kStatusCodeLength>;

// A code as the table and the severity rule take it: six bytes, zeros after
// a shorter one (which then matches no known code).
SixBytes Padded(std::string_view code) {
  SixBytes six{};
  std::copy_n(code.begin(), std::min(code.size(), six.size()), six.begin());
  return six;
}

bool Within(std::string_view bytes, std::size_t i, int low, int high) {
  return i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= low &&
         static_cast<unsigned char>(bytes[i]) <= high;
}

// The index of the last byte of the escape sequence an ESC at `start`
// begins: "ESC [", parameters, intermediates and a final byte (a terminal's
// colours, "\x1b[31m"), or intermediates and a final byte. One the code cuts
// short ends with the code.
std::size_t EscapeSequenceEnd(std::string_view bytes, std::size_t start) {
  std::size_t i = start + 1;
  const bool csi = i < bytes.size() && bytes[i] == '[';
  if (csi) {
    ++i;
    while (Within(bytes, i, 0x30, 0x3F)) ++i;
  }
  while (Within(bytes, i, 0x20, 0x2F)) ++i;
  return Within(bytes, i, csi ? 0x40 : 0x30, 0x7E) ? i : i - 1;
}

// What can be shown of bytes from the device: C0 controls and DEL dropped,
// with the sequences an ESC starts; blanks and bytes beyond ASCII as "?",
// so that the code's other characters keep their places.
std::string PrintableBytes(std::string_view bytes) {
  std::string shown;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 0x1B)
      i = EscapeSequenceEnd(bytes, i);
    else if (c > ' ' && c < 0x7F)
      shown += static_cast<char>(c);
    else if (c == ' ' || c >= 0x80)
      shown += '?';
  }
  return shown;
}

// A panel line without the blanks some texts end in for the display.
std::string TrimmedLine(const PanelLine& line) {
  std::string text = ComposePanelLine(line);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

int SeverityTextId(Severity severity) {
  switch (severity) {
    case Severity::kReady: return kTextPrinterReady;
    case Severity::kWarning: return kTextPrinterWarning;
    case Severity::kError: return kTextPrinterError;
    case Severity::kNoPrinter: return kTextPrinterNotAnswering;
  }
  return kTextPrinterNotAnswering;
}

std::vector<std::string> StatusCodeLines(std::string_view code) {
  const auto message = LookupStatusMessage(Padded(code).data());
  if (!message) {
    std::string shown = PrintableBytes(code);
    return {shown.empty() ? TextOrEmpty(kTextStatusUnreadable) : shown};
  }
  std::vector<std::string> lines = {TrimmedLine(message->line1)};
  if (message->line2.stringId != 0) lines.push_back(TrimmedLine(message->line2));
  return lines;
}

StatusNotification NotificationOfCodes(std::span<const std::string_view> codes) {
  Severity worst = Severity::kReady;
  // Each code's lines together: a code listed again, or two the program
  // cannot read that show alike, add nothing the first did not say.
  std::vector<std::string> shown;
  for (std::string_view code : codes) {
    worst = std::max(worst, SeverityOfCode(Padded(code).data()));
    std::string lines = Joined(StatusCodeLines(code));
    if (std::find(shown.begin(), shown.end(), lines) == shown.end()) shown.push_back(lines);
  }
  StatusNotification notification{worst, TextOrEmpty(SeverityTextId(worst)), {}};
  // READY under "Printer ready" would say the title twice.
  notification.text =
      worst == Severity::kReady ? TextOrEmpty(kTextPrinterAnswersAgain) : Joined(shown);
  return notification;
}
