// vantrel-scenario FILE: plays a scenario (a user's actions and the
// printer's state) against the simulated printer with the headless
// backend, and prints a transcript: one line per action, request, link
// open or close, message box, display redraw, file written and shown text.
// The language is described in docs/scenarios.md.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "shell/vantrel.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"
#include "ui/headless/headless.h"

namespace {

struct ParseError {
  std::string message;
};

// Splits a line into words; "quoted text" is one word, with the escapes of
// docs/scenarios.md. A # outside quotes starts a comment.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') { ++i; continue; }
    if (c == '#') break;
    std::string word;
    if (c == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\' || i + 1 >= line.size()) { word += line[i]; continue; }
        char e = line[++i];
        if (e == 'r') word += '\r';
        else if (e == 'n') word += '\n';
        else if (e == 't') word += '\t';
        else if (e == 'b') word += '\b';
        else if (e == 'x' && i + 2 < line.size()) {
          word += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else word += e;
      }
      if (i >= line.size()) throw ParseError{"unterminated quoted text"};
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
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

int Number(const std::string& word) {
  char* end = nullptr;
  long value = std::strtol(word.c_str(), &end, 0);
  if (word.empty() || *end) throw ParseError{"'" + word + "' is not a number"};
  return static_cast<int>(value);
}

std::string WindowName(const std::string& word) {
  std::string name = word;
  for (char& c : name) if (c == '-') c = ' ';
  return name;
}

class Scenario {
 public:
  Scenario() : platform_([](const std::string& line) { std::cout << line << '\n'; }) {
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

  // Turns one line into an action queued for the program's loops.
  void Parse(const std::string& line) {
    std::vector<std::string> w = Words(line);
    if (w.empty()) return;
    auto need = [&](std::size_t n) {
      if (w.size() != n) throw ParseError{"'" + w[0] + "' takes " + std::to_string(n - 1) + " words"};
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
      if (!known) throw ParseError{"unknown language " + w[1]};
      act = [id] { SetTextLanguage(id); };
    } else if (verb == "start") {
      bool second = w.size() == 2 && w[1] == "second";
      if (w.size() != 1 && !second) throw ParseError{"'start' takes nothing or 'second'"};
      act = [this, second] {
        int code = RunVantrel(platform_);
        std::cout << (second ? "second instance" : "program") << " ended: " << code << '\n';
      };
    } else if (verb == "double-click" || verb == "right-click" || (verb == "click" && w.size() == 2)) {
      need(2);
      if (w[1] != "icon") throw ParseError{"only the icon can be clicked without a control"};
      int mouse = verb == "double-click" ? kMouseLeftDoubleClick
                  : verb == "right-click" ? kMouseRightUp : kMouseLeftUp;
      act = [&ui, mouse] { ui.TrayMouse(mouse); };
    } else if (verb == "choose") {
      need(2);
      std::string item = w[1];
      act = [&ui, item] {
        const char* open = LoadText(19);
        const char* exit = LoadText(20);
        if (item == "nothing") ui.ChooseMenuItem(0);
        else if (item == "Open Panel" || (open && item == open)) ui.ChooseMenuItem(32770);
        else if (item == "Exit" || (exit && item == exit)) ui.ChooseMenuItem(32771);
        else ui.Record("ignored: no menu item " + QuoteText(item));
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
      act = [&ui, window, id, entry] {
        HeadlessWindow* win = ui.Find(window);
        int index = -1;
        for (int i = 0; win && win->HasControl(id) && i < win->ListCount(id); ++i)
          if (win->ListItemText(id, i) == entry) index = i;
        if (index < 0 && entry.find_first_not_of("0123456789") == std::string::npos)
          index = std::stoi(entry);  // by position when no entry has that text
        ui.PickListItem(window, id, index);
      };
    } else if (verb == "slide") {
      if (w.size() < 4) throw ParseError{"'slide' takes a window, a slider and a move"};
      std::string window = WindowName(w[1]);
      int id = Number(w[2]);
      static const std::map<std::string, int> moves = {
          {"line-up", kScrollLineUp},   {"line-down", kScrollLineDown}, {"page-up", kScrollPageUp},
          {"page-down", kScrollPageDown}, {"home", kScrollTop},         {"end", kScrollBottom},
          {"to", kScrollThumbPosition}, {"track", kScrollThumbTrack}};
      auto move = moves.find(w[3]);
      if (move == moves.end()) throw ParseError{"unknown slider move '" + w[3] + "'"};
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
      double seconds = std::strtod(w[1].c_str(), nullptr);
      if (seconds < 0 || w[1].find_first_not_of("0123456789.") != std::string::npos)
        throw ParseError{"'wait' takes seconds"};
      int ms = static_cast<int>(seconds * 1000 + 0.5);
      act = [&ui, ms] { ui.Wait(ms); };
    } else if (verb == "answer") {
      need(2);
      static const std::map<std::string, int> buttons = {
          {"OK", kIdOk}, {"Retry", kIdRetry}, {"Cancel", kIdCancel}};
      auto button = buttons.find(w[1]);
      if (button == buttons.end()) throw ParseError{"'answer' takes OK, Retry or Cancel"};
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
      throw ParseError{"unknown command '" + verb + "'"};
    }
    platform_.Script([echo, act] {
      std::cout << echo << '\n';
      act();
    });
  }

  void Play() {
    while (platform_.Step()) {
    }
    std::vector<int> unknown = printer_.UnknownCodes();
    for (int code : unknown) std::cout << "printer received an unknown code " << code << '\n';
  }

 private:
  std::function<void()> ParsePrinter(const std::vector<std::string>& w) {
    if (w.size() < 2) throw ParseError{"'printer' needs a subject"};
    const std::string& what = w[1];
    TarnlowPrinter& p = printer_;
    auto need = [&](std::size_t n) {
      if (w.size() != n) throw ParseError{"'printer " + what + "' takes " + std::to_string(n - 2) + " words"};
    };
    using Fault = TarnlowPrinter::Fault;
    if (what == "absent" || what == "unplug") { need(2); return [&p] { p.SetPlugged(false); }; }
    if (what == "plug") { need(2); return [&p] { p.SetPlugged(true); }; }
    if (what == "status") {
      if (w.size() > 3) throw ParseError{"'printer status' takes codes separated by commas"};
      std::vector<std::string> codes;
      std::stringstream list(w.size() == 3 ? w[2] : "");
      for (std::string code; std::getline(list, code, ',');) codes.push_back(code);
      return [&p, codes] { p.SetStatusCodes(codes); };
    }
    if (what == "status-reply") { need(3); std::string t = w[2]; return [&p, t] { p.SetStatusReply(t); }; }
    if (what == "page") {
      need(4);
      int page = Number(w[2]);
      if (page < 1 || page > 4) throw ParseError{"pages are 1 to 4"};
      std::string text = w[3];
      return [&p, page, text] { p.SetPageText(page, text); };
    }
    if (what == "set") {
      need(4);
      if (TarnlowPageOfKey(w[2]) == 0) throw ParseError{"no information page has the key " + w[2]};
      std::string key = w[2], value = w[3];
      return [&p, key, value] { p.SetPageValue(key, value); };
    }
    if (what == "value") {
      need(4);
      int code = Number(w[2]), value = Number(w[3]);
      return [&p, code, value] { p.SetValue(code, value); };
    }
    if (what == "kind") { need(3); int kind = Number(w[2]); return [&p, kind] { p.SetValue(REQ_READ_MACHINE_KIND, kind); }; }
    if (what == "demo") { need(2); return [&p] { p.LoadDemoState(); }; }
    if (what == "clear") {
      need(3);
      if (w[2] == "all") return [&p] { p.ClearFaults(); };
      int code = Number(w[2]);
      return [&p, code] { p.ClearFault(code); };
    }
    Fault fault;
    if (what == "fail") { need(3); fault.kind = Fault::FailTransfer; }
    else if (what == "refuse") { need(3); fault.kind = Fault::Refuse; }
    else if (what == "hang") { need(3); fault.kind = Fault::NeverAnswer; }
    else if (what == "short") { need(4); fault.kind = Fault::ShortReply; fault.length = Number(w[3]); }
    else if (what == "raw") {
      fault.kind = Fault::RawReply;
      std::string bytes;
      if (w.size() == 4) bytes = w[3];
      else if (w.size() == 6 && w[3] == "fill" && w[5].size() == 1) bytes.assign(Number(w[4]), w[5][0]);
      else throw ParseError{"'printer raw' takes a code and \"text\" or fill N \"c\""};
      fault.raw.assign(bytes.begin(), bytes.end());
    } else {
      throw ParseError{"unknown printer setting '" + what + "'"};
    }
    int code = Number(w[2]);
    if (!FindRequest(code)) throw ParseError{"request " + w[2] + " is not in the catalogue"};
    return [&p, code, fault] { p.SetFault(code, fault); };
  }

  static void ShowFile(const std::string& path) {
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

  TarnlowPrinter printer_;
  HeadlessPlatform platform_;
  bool linkOpen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrel-scenario FILE\n");
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::fprintf(stderr, "vantrel-scenario: cannot read %s\n", argv[1]);
    return 2;
  }
  Scenario scenario;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    try {
      scenario.Parse(line);
    } catch (const ParseError& error) {
      std::fprintf(stderr, "%s:%d: %s\n", argv[1], number, error.message.c_str());
      return 2;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s:%d: %s\n", argv[1], number, error.what());
      return 2;
    }
  }
  scenario.Play();
  return 0;
}
