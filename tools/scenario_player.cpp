#include "scenario_player.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "device/backend_sim.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "shell/vantrel.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits a line into words; "quoted text" is one word, with the escapes of
// docs/scenarios.md. A # outside quotes starts a comment.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    std::string word;
    if (c == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\' || i + 1 >= line.size()) {
          word += line[i];
          continue;
        }
        char e = line[++i];
        if (e == 'r')
          word += '\r';
        else if (e == 'n')
          word += '\n';
        else if (e == 't')
          word += '\t';
        else if (e == 'b')
          word += '\b';
        else if (e == 'x') {
          const int high = i + 2 < line.size() ? HexDigit(line[i + 1]) : -1;
          const int low = high >= 0 ? HexDigit(line[i + 2]) : -1;
          if (low < 0) throw ScenarioError{"\\x takes two hexadecimal digits"};
          word += static_cast<char>(high * 16 + low);
          i += 2;
        } else
          word += e;
      }
      if (i >= line.size()) throw ScenarioError{"unterminated quoted text"};
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
        word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

// The line as written, without its comment and surrounding blanks.
std::string Trimmed(const std::string& line) {
  bool quoted = false;
  std::size_t end = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) quoted = !quoted;
    if (line[i] == '#' && !quoted) break;
    if (line[i] != ' ' && line[i] != '\t' && line[i] != '\r') end = i + 1;
  }
  std::size_t start = line.find_first_not_of(" \t");
  return start < end ? line.substr(start, end - start) : std::string();
}

// A whole number from `minimum` to `maximum` (decimal, or 0x hexadecimal).
int Number(const std::string& word, long long minimum = INT_MIN, long long maximum = INT_MAX) {
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(word.c_str(), &end, 0);
  if (word.empty() || *end || word.find_first_of(" \t\r\n\f\v") != std::string::npos)
    throw ScenarioError{"'" + word + "' is not a number"};
  if (errno == ERANGE || value < minimum || value > maximum)
    throw ScenarioError{"'" + word + "' is out of range (" + std::to_string(minimum) + " to " +
                        std::to_string(maximum) + ")"};
  return static_cast<int>(value);
}

bool AllDigits(const std::string& word) {
  return !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
}

// Simulated time is kept in whole milliseconds in an int.
constexpr double kLongestWaitSeconds = INT_MAX / 1000;

std::string WindowName(const std::string& word) {
  std::string name = word;
  for (char& c : name)
    if (c == '-') c = ' ';
  return name;
}

}  // namespace

Scenario::Scenario() : platform_([](const std::string& line) { std::cout << line << '\n'; }) {
  printer_.LoadDemoState();
  printer_.OnRequest([](const TarnlowPrinter::Received& r) {
    const RequestInfo* info = FindRequest(r.code);
    std::cout << "printer <- " << r.code << ' ' << (info ? info->name : "UNKNOWN")
              << " wValue=" << r.wValue << " length=" << r.length << '\n';
  });
  OnSimulatedHandlesChanged([this](int open) {
    if (open == 2 && !linkOpen_) std::cout << "link open\n";
    if (open == 0 && linkOpen_) std::cout << "link closed\n";
    linkOpen_ = open == 2 ? true : open == 0 ? false : linkOpen_;
  });
  UseDeviceBackend(SimulatedPrinterBackend(printer_));
  UsePlatform(&platform_);
}

void Scenario::Parse(const std::string& line) {
  std::vector<std::string> w = Words(line);
  if (w.empty()) return;
  auto need = [&](std::size_t n) {
    if (w.size() != n)
      throw ScenarioError{"'" + w[0] + "' takes " + std::to_string(n - 1) + " words"};
  };
  std::string echo = "> " + Trimmed(line);
  std::function<void()> act;
  HeadlessPlatform& ui = platform_;
  const std::string& verb = w[0];

  if (verb == "printer") {
    act = ParsePrinter(w);
  } else if (verb == "language") {
    need(2);
    int id = Number(w[1]);
    bool known = false;
    for (int language : TextLanguages()) known = known || language == id;
    if (!known) throw ScenarioError{"unknown language " + w[1]};
    act = [id] { SetTextLanguage(id); };
  } else if (verb == "start") {
    bool second = w.size() == 2 && w[1] == "second";
    if (w.size() != 1 && !second) throw ScenarioError{"'start' takes nothing or 'second'"};
    act = [this, second] {
      int code = RunVantrel(platform_);
      std::cout << (second ? "second instance" : "program") << " ended: " << code << '\n';
    };
  } else if (verb == "double-click" || verb == "right-click" ||
             (verb == "click" && w.size() == 2)) {
    need(2);
    if (w[1] != "icon") throw ScenarioError{"only the icon can be clicked without a control"};
    int mouse = verb == "double-click"  ? kMouseLeftDoubleClick
                : verb == "right-click" ? kMouseRightUp
                                        : kMouseLeftUp;
    act = [&ui, mouse] { ui.TrayMouse(mouse); };
  } else if (verb == "choose") {
    need(2);
    std::string item = w[1];
    act = [&ui, item] {
      const char* open = LoadText(19);
      const char* exit = LoadText(20);
      if (item == "nothing")
        ui.ChooseMenuItem(0);
      else if (item == "Open Panel" || (open && item == open))
        ui.ChooseMenuItem(32770);
      else if (item == "Exit" || (exit && item == exit))
        ui.ChooseMenuItem(32771);
      else
        ui.Record("ignored: no menu item " + QuoteText(item));
    };
  } else if (verb == "click" || verb == "check") {
    need(3);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    act = [&ui, window, id] { ui.Click(window, id); };
  } else if (verb == "pick") {
    need(4);
    std::string window = WindowName(w[1]), entry = w[3];
    int id = Number(w[2]);
    if (entry.empty()) throw ScenarioError{"'pick' takes an entry's text or position"};
    // By position when no entry has that text.
    const int position = AllDigits(entry) ? Number(entry, 0) : -1;
    act = [&ui, window, id, entry, position] {
      HeadlessWindow* win = ui.Find(window);
      int index = -1;
      for (int i = 0; win && win->HasControl(id) && i < win->ListCount(id); ++i)
        if (win->ListItemText(id, i) == entry) index = i;
      ui.PickListItem(window, id, index < 0 ? position : index);
    };
  } else if (verb == "slide") {
    if (w.size() < 4) throw ScenarioError{"'slide' takes a window, a slider and a move"};
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    static const std::map<std::string, int> moves = {
        {"line-up", kScrollLineUp},     {"line-down", kScrollLineDown}, {"page-up", kScrollPageUp},
        {"page-down", kScrollPageDown}, {"home", kScrollTop},           {"end", kScrollBottom},
        {"to", kScrollThumbPosition},   {"track", kScrollThumbTrack}};
    auto move = moves.find(w[3]);
    if (move == moves.end()) throw ScenarioError{"unknown slider move '" + w[3] + "'"};
    bool takesPosition = move->second == kScrollThumbPosition || move->second == kScrollThumbTrack;
    need(takesPosition ? 5 : 4);
    int code = move->second, position = takesPosition ? Number(w[4]) : 0;
    act = [&ui, window, id, code, position] { ui.MoveSlider(window, id, code, position); };
  } else if (verb == "type" || verb == "paste") {
    need(4);
    std::string window = WindowName(w[1]), text = w[3];
    int id = Number(w[2]);
    bool paste = verb == "paste";
    act = [&ui, window, id, text, paste] {
      paste ? ui.Paste(window, id, text) : ui.Type(window, id, text);
    };
  } else if (verb == "focus") {
    need(3);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    act = [&ui, window, id] { ui.Focus(window, id); };
  } else if (verb == "tab") {
    need(4);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]), index = Number(w[3]);
    act = [&ui, window, id, index] { ui.PickTab(window, id, index); };
  } else if (verb == "wait") {
    need(2);
    char* end = nullptr;
    const double seconds = std::strtod(w[1].c_str(), &end);
    if (w[1].empty() || *end || w[1].find_first_not_of("0123456789.") != std::string::npos)
      throw ScenarioError{"'wait' takes seconds"};
    if (!(seconds <= kLongestWaitSeconds))
      throw ScenarioError{"'wait' takes at most " + std::to_string(int(kLongestWaitSeconds)) +
                          " seconds"};
    int ms = static_cast<int>(seconds * 1000 + 0.5);
    act = [&ui, ms] { ui.Wait(ms); };
  } else if (verb == "answer") {
    need(2);
    static const std::map<std::string, int> buttons = {
        {"OK", kIdOk}, {"Retry", kIdRetry}, {"Cancel", kIdCancel}};
    auto button = buttons.find(w[1]);
    if (button == buttons.end()) throw ScenarioError{"'answer' takes OK, Retry or Cancel"};
    int result = button->second;
    act = [&ui, result] { ui.Answer(result); };
  } else if (verb == "save") {
    need(2);
    std::string path = w[1] == "cancel" ? "" : w[1];
    act = [&ui, path] { ui.AnswerSavePrompt(path); };
  } else if (verb == "show") {
    need(3);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    act = [&ui, window, id] { ui.ShowText(window, id); };
  } else if (verb == "show-file") {
    need(2);
    std::string path = w[1];
    act = [path] { ShowFile(path); };
  } else if (verb == "close" || verb == "escape") {
    need(2);
    std::string window = WindowName(w[1]);
    bool close = verb == "close";
    act = [&ui, window, close] { close ? ui.CloseWindow(window) : ui.PressEscape(window); };
  } else {
    throw ScenarioError{"unknown command '" + verb + "'"};
  }
  platform_.Script([echo, act] {
    std::cout << echo << '\n';
    act();
  });
}

void Scenario::Play() {
  while (platform_.Step()) {}
  std::vector<int> unknown = printer_.UnknownCodes();
  for (int code : unknown) std::cout << "printer received an unknown code " << code << '\n';
}

std::function<void()> Scenario::ParsePrinter(const std::vector<std::string>& w) {
  if (w.size() < 2) throw ScenarioError{"'printer' needs a subject"};
  const std::string& what = w[1];
  TarnlowPrinter& p = printer_;
  auto need = [&](std::size_t n) {
    if (w.size() != n)
      throw ScenarioError{"'printer " + what + "' takes " + std::to_string(n - 2) + " words"};
  };
  using Fault = TarnlowPrinter::Fault;
  if (what == "absent" || what == "unplug") {
    need(2);
    return [&p] { p.SetPlugged(false); };
  }
  if (what == "plug") {
    need(2);
    return [&p] { p.SetPlugged(true); };
  }
  if (what == "status") {
    if (w.size() > 3) throw ScenarioError{"'printer status' takes codes separated by commas"};
    std::vector<std::string> codes;
    std::stringstream list(w.size() == 3 ? w[2] : "");
    for (std::string code; std::getline(list, code, ',');) codes.push_back(code);
    return [&p, codes] { p.SetStatusCodes(codes); };
  }
  if (what == "status-reply") {
    need(3);
    std::string t = w[2];
    return [&p, t] { p.SetStatusReply(t); };
  }
  if (what == "page") {
    need(4);
    int page = Number(w[2]);
    if (page < 1 || page > 4) throw ScenarioError{"pages are 1 to 4"};
    std::string text = w[3];
    return [&p, page, text] { p.SetPageText(page, text); };
  }
  if (what == "set") {
    need(4);
    if (TarnlowPageOfKey(w[2]) == 0) throw ScenarioError{"no information page has the key " + w[2]};
    std::string key = w[2], value = w[3];
    return [&p, key, value] { p.SetPageValue(key, value); };
  }
  if (what == "value") {
    need(4);
    int code = Number(w[2]), value = Number(w[3]);
    return [&p, code, value] { p.SetValue(code, value); };
  }
  if (what == "kind") {
    need(3);
    int kind = Number(w[2]);
    return [&p, kind] { p.SetValue(REQ_READ_MACHINE_KIND, kind); };
  }
  if (what == "demo") {
    need(2);
    return [&p] { p.LoadDemoState(); };
  }
  if (what == "clear") {
    need(3);
    if (w[2] == "all") return [&p] { p.ClearFaults(); };
    int code = Number(w[2]);
    return [&p, code] { p.ClearFault(code); };
  }
  Fault fault;
  if (what == "fail") {
    need(3);
    fault.kind = Fault::FailTransfer;
  } else if (what == "refuse") {
    need(3);
    fault.kind = Fault::Refuse;
  } else if (what == "hang") {
    need(3);
    fault.kind = Fault::NeverAnswer;
  } else if (what == "short") {
    need(4);
    fault.kind = Fault::ShortReply;
    fault.length = Number(w[3], 0, 65535);
  } else if (what == "raw") {
    fault.kind = Fault::RawReply;
    std::string bytes;
    if (w.size() == 4)
      bytes = w[3];
    else if (w.size() == 6 && w[3] == "fill" && w[5].size() == 1)
      bytes.assign(Number(w[4], 0, 65535), w[5][0]);
    else
      throw ScenarioError{"'printer raw' takes a code and \"text\" or fill N \"c\""};
    fault.raw.assign(bytes.begin(), bytes.end());
  } else {
    throw ScenarioError{"unknown printer setting '" + what + "'"};
  }
  int code = Number(w[2]);
  if (!FindRequest(code)) throw ScenarioError{"request " + w[2] + " is not in the catalogue"};
  return [&p, code, fault] { p.SetFault(code, fault); };
}

void Scenario::ShowFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cout << "file " << QuoteText(path) << ": cannot be read\n";
    return;
  }
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::cout << "file " << QuoteText(path) << ": " << bytes.size() << " bytes\n";
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end + 1;
    std::cout << "| " << QuoteText(bytes.substr(start, end - start)) << '\n';
    start = end;
  }
}
