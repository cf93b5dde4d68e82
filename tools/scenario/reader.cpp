#include "reader.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>

#include "common/string_table.h"
#include "shell/main_window.h"
#include "shell/watch_option.h"
#include "ui/dialog.h"
#include "words.h"
#include "string_ids.h"

namespace {

constexpr double kLongestWait = 24 * 3600;  // seconds

std::string WindowName(const std::string& word) {
  std::string name = word;
  for (char& c : name) if (c == '-') c = ' ';
  return name;
}

void ShowFile(Transcript& transcript, const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    transcript.Line("file " + QuoteText(path) + ": cannot be read");
    return;
  }
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  transcript.Line("file " + QuoteText(path) + ": " + std::to_string(bytes.size()) + " bytes");
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end + 1;
    transcript.Line("| " + QuoteText(bytes.substr(start, end - start)));
    start = end;
  }
}

// The action of one line, or nothing for a blank or comment line.
std::function<void(FrontEnd&)> Parse(const std::vector<std::string>& w, PrinterCommands& printer,
                                     Transcript& transcript) {
  auto need = [&](std::size_t n) {
    if (w.size() != n) throw ParseError{"'" + w[0] + "' takes " + std::to_string(n - 1) + " words"};
  };
  const std::string& verb = w[0];

  if (verb == "printer") {
    auto change = printer.Parse(w);
    return [change](FrontEnd&) { change(); };
  }
  if (verb == "language") {
    need(2);
    int id = Number(w[1]);
    bool known = false;
    for (int language : TextLanguages()) known = known || language == id;
    if (!known) throw ParseError{"unknown language " + w[1]};
    return [id](FrontEnd&) { SetTextLanguage(id); };
  }
  if (verb == "start") {
    // start [second] [--watch[=SECONDS]], as the program's command line has it.
    bool second = w.size() >= 2 && w[1] == "second";
    const std::vector<std::string> options(w.begin() + (second ? 2 : 1), w.end());
    const WatchOption watch = FindWatchOption(options);
    if (!watch.error.empty()) throw ParseError{watch.error};
    if (options.size() > 1 || (options.size() == 1 && watch.seconds == 0))
      throw ParseError{"'start' takes 'second' and '--watch[=SECONDS]', or nothing"};
    int watchSeconds = watch.seconds;
    return [&transcript, second, watchSeconds](FrontEnd& f) {
      int code = f.Run(second, watchSeconds);
      transcript.Line(std::string(second ? "second instance" : "program") + " ended: " +
                      std::to_string(code));
    };
  }
  if (verb == "click" && w.size() == 2 && w[1] == "notification")
    return [](FrontEnd& f) { f.IconMouse(kNotificationClicked); };
  if (verb == "double-click" || verb == "right-click" || (verb == "click" && w.size() == 2)) {
    need(2);
    if (w[1] != "icon") throw ParseError{"only the icon can be clicked without a control"};
    int mouse = verb == "double-click" ? kMouseLeftDoubleClick
                : verb == "right-click" ? kMouseRightUp : kMouseLeftUp;
    return [mouse](FrontEnd& f) { f.IconMouse(mouse); };
  }
  if (verb == "choose") {
    need(2);
    std::string item = w[1];
    return [&transcript, item](FrontEnd& f) {
      // By the item's text in the program's language, or its English text.
      const char* open = LoadText(kTextOpenPanel);
      const char* exit = LoadText(kTextExit);
      if (item == "nothing") f.ChooseMenuItem(0);
      else if (item == "Open Panel" || (open && item == open)) f.ChooseMenuItem(kCommandOpenPanel);
      else if (item == "Exit" || (exit && item == exit)) f.ChooseMenuItem(kCommandExit);
      else transcript.NoMenuItem(item);
    };
  }
  if (verb == "click" || verb == "check") {
    need(3);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    return [window, id](FrontEnd& f) { f.Click(window, id); };
  }
  if (verb == "pick") {
    need(4);
    std::string window = WindowName(w[1]), entry = w[3];
    int id = Number(w[2]);
    if (entry.empty()) throw ParseError{"'pick' takes an entry's text or position"};
    return [window, id, entry](FrontEnd& f) { f.Pick(window, id, entry); };
  }
  if (verb == "slide") {
    if (w.size() < 4) throw ParseError{"'slide' takes a window, a slider and a move"};
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    static const std::map<std::string, int> moves = {
        {"line-up", kScrollLineUp},     {"line-down", kScrollLineDown}, {"page-up", kScrollPageUp},
        {"page-down", kScrollPageDown}, {"home", kScrollTop},           {"end", kScrollBottom},
        {"to", kScrollThumbPosition},   {"track", kScrollThumbTrack}};
    auto move = moves.find(w[3]);
    if (move == moves.end()) throw ParseError{"unknown slider move '" + w[3] + "'"};
    bool takesPosition = move->second == kScrollThumbPosition || move->second == kScrollThumbTrack;
    need(takesPosition ? 5 : 4);
    int code = move->second, position = takesPosition ? Number(w[4]) : 0;
    return [window, id, code, position](FrontEnd& f) { f.Slide(window, id, code, position); };
  }
  if (verb == "type" || verb == "paste") {
    need(4);
    std::string window = WindowName(w[1]), text = w[3];
    int id = Number(w[2]);
    bool paste = verb == "paste";
    return [window, id, text, paste](FrontEnd& f) {
      paste ? f.Paste(window, id, text) : f.Type(window, id, text);
    };
  }
  if (verb == "focus") {
    need(3);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    return [window, id](FrontEnd& f) { f.Focus(window, id); };
  }
  if (verb == "tab") {
    need(4);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]), index = Number(w[3]);
    return [window, id, index](FrontEnd& f) { f.Tab(window, id, index); };
  }
  if (verb == "wait") {
    need(2);
    const std::string& word = w[1];
    bool digits = word.find_first_of("0123456789") != std::string::npos &&
                  word.find_first_not_of("0123456789.") == std::string::npos &&
                  word.find('.') == word.rfind('.');
    if (!digits) throw ParseError{"'wait' takes seconds"};
    double seconds = std::strtod(word.c_str(), nullptr);
    if (seconds > kLongestWait) throw ParseError{"'wait' takes at most a day"};
    int ms = static_cast<int>(seconds * 1000 + 0.5);
    return [ms](FrontEnd& f) { f.Wait(ms); };
  }
  if (verb == "answer") {
    need(2);
    static const std::map<std::string, int> buttons = {
        {"OK", kIdOk}, {"Retry", kIdRetry}, {"Cancel", kIdCancel}, {"Yes", kIdYes}, {"No", kIdNo}};
    auto button = buttons.find(w[1]);
    if (button == buttons.end()) throw ParseError{"'answer' takes OK, Retry, Cancel, Yes or No"};
    int result = button->second;
    return [result](FrontEnd& f) { f.Answer(result); };
  }
  if (verb == "save") {
    need(2);
    std::string path = w[1] == "cancel" ? "" : w[1];
    return [path](FrontEnd& f) { f.Save(path); };
  }
  if (verb == "show") {
    need(3);
    std::string window = WindowName(w[1]);
    int id = Number(w[2]);
    return [window, id](FrontEnd& f) { f.Show(window, id); };
  }
  if (verb == "show-file") {
    need(2);
    std::string path = w[1];
    return [&transcript, path](FrontEnd&) { ShowFile(transcript, path); };
  }
  if (verb == "close" || verb == "escape") {
    need(2);
    std::string window = WindowName(w[1]);
    bool close = verb == "close";
    return [window, close](FrontEnd& f) { close ? f.Close(window) : f.Escape(window); };
  }
  throw ParseError{"unknown command '" + verb + "'"};
}

}  // namespace

std::string ReadScenario(std::istream& in, const std::string& file, Script& script,
                         PrinterCommands& printer, Transcript& transcript) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::string where = file + ":" + std::to_string(number) + ": ";
    try {
      std::vector<std::string> words = Words(line);
      if (words.empty()) continue;
      script.Add({Trimmed(line), Parse(words, printer, transcript)});
    } catch (const ParseError& error) {
      return where + error.message;
    } catch (const std::exception& error) {
      return where + error.what();
    }
  }
  return std::string();
}
