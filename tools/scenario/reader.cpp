#include "reader.h"

#include <cmath>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <string_view>

#include "common/string_table.h"
#include "shell/main_window.h"
#include "shell/start_arguments.h"
#include "string_ids.h"
#include "ui/dialog.h"
#include "words.h"

namespace {

constexpr double kLongestWait = 24 * 3600;  // seconds

std::string WindowName(const std::string& word) {
  std::string name = word;
  for (char& c : name)
    if (c == '-') c = ' ';
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

using Action = std::function<void(FrontEnd&)>;

// One line's words and what its action may need besides the front end.
struct Line {
  const std::vector<std::string>& words;
  PrinterCommands& printer;
  Transcript& transcript;

  const std::string& Verb() const { return words[0]; }
  void Need(std::size_t count) const {
    if (words.size() != count)
      throw ParseError{"'" + Verb() + "' takes " + std::to_string(count - 1) + " words"};
  }
  // The window and control words of "VERB WINDOW ID ...".
  std::string TargetWindow() const { return WindowName(words[1]); }
  int TargetControl() const { return Number(words[2]); }
};

Action PrinterChange(const Line& line) {
  auto change = line.printer.Parse(line.words);
  return [change](FrontEnd&) { change(); };
}

Action Language(const Line& line) {
  line.Need(2);
  int id = Number(line.words[1]);
  bool known = false;
  for (int language : TextLanguages()) known = known || language == id;
  if (!known) throw ParseError{"unknown language " + line.words[1]};
  return [id](FrontEnd&) { SetTextLanguage(id); };
}

// start [second] [--watch[=SECONDS]], as the program's command line has it.
Action Start(const Line& line) {
  const std::vector<std::string>& w = line.words;
  bool second = w.size() >= 2 && w[1] == "second";
  const std::vector<std::string> options(w.begin() + (second ? 2 : 1), w.end());
  const StartArguments read = ReadStartArguments(options, {});
  if (read.refusal == Refusal::WatchPeriod) throw ParseError{RefusalInEnglish(read)};
  if (options.size() > 1 || (options.size() == 1 && read.watchSeconds == 0))
    throw ParseError{"'start' takes 'second' and '--watch[=SECONDS]', or nothing"};
  int watchSeconds = read.watchSeconds;
  Transcript& transcript = line.transcript;
  DeviceLink& windowLink = line.printer.WindowLink();
  return [&transcript, &windowLink, second, watchSeconds](FrontEnd& f) {
    int code = f.Run(second, watchSeconds, windowLink);
    transcript.Line(std::string(second ? "second instance" : "program") +
                    " ended: " + std::to_string(code));
  };
}

// "double-click icon", "right-click icon" or "click icon".
template <int kMouse>
Action IconClick(const Line& line) {
  line.Need(2);
  if (line.words[1] != "icon") throw ParseError{"only the icon can be clicked without a control"};
  return [](FrontEnd& f) { f.IconMouse(kMouse); };
}

// "VERB WINDOW ID": a control and nothing more.
template <void (FrontEnd::*kAct)(const std::string&, int)>
Action OnControl(const Line& line) {
  line.Need(3);
  std::string window = line.TargetWindow();
  int id = line.TargetControl();
  return [window, id](FrontEnd& f) { (f.*kAct)(window, id); };
}

// "click notification", "click icon" or "click WINDOW ID".
Action Click(const Line& line) {
  if (line.words.size() != 2) return OnControl<&FrontEnd::Click>(line);
  if (line.words[1] == "notification")
    return [](FrontEnd& f) { f.IconMouse(kNotificationClicked); };
  return IconClick<kMouseLeftUp>(line);
}

Action Choose(const Line& line) {
  line.Need(2);
  std::string item = line.words[1];
  Transcript& transcript = line.transcript;
  return [&transcript, item](FrontEnd& f) {
    // By the item's text in the program's language, or its English text.
    const char* open = LoadText(kTextOpenPanel);
    const char* exit = LoadText(kTextExit);
    if (item == "nothing")
      f.ChooseMenuItem(0);
    else if (item == "Open Panel" || (open && item == open))
      f.ChooseMenuItem(kCommandOpenPanel);
    else if (item == "Exit" || (exit && item == exit))
      f.ChooseMenuItem(kCommandExit);
    else
      transcript.NoMenuItem(item);
  };
}

Action Pick(const Line& line) {
  line.Need(4);
  std::string window = line.TargetWindow(), entry = line.words[3];
  int id = line.TargetControl();
  if (entry.empty()) throw ParseError{"'pick' takes an entry's text or position"};
  return [window, id, entry](FrontEnd& f) { f.Pick(window, id, entry); };
}

Action Slide(const Line& line) {
  const std::vector<std::string>& w = line.words;
  if (w.size() < 4) throw ParseError{"'slide' takes a window, a slider and a move"};
  std::string window = line.TargetWindow();
  int id = line.TargetControl();
  static const std::map<std::string, int> moves = {
      {"line-up", kScrollLineUp},     {"line-down", kScrollLineDown}, {"page-up", kScrollPageUp},
      {"page-down", kScrollPageDown}, {"home", kScrollTop},           {"end", kScrollBottom},
      {"to", kScrollThumbPosition},   {"track", kScrollThumbTrack}};
  auto move = moves.find(w[3]);
  if (move == moves.end()) throw ParseError{"unknown slider move '" + w[3] + "'"};
  bool takesPosition = move->second == kScrollThumbPosition || move->second == kScrollThumbTrack;
  line.Need(takesPosition ? 5 : 4);
  int code = move->second, position = takesPosition ? Number(w[4]) : 0;
  return [window, id, code, position](FrontEnd& f) { f.Slide(window, id, code, position); };
}

// "type" keys the text in, "paste" replaces the field's text at once.
template <void (FrontEnd::*kAct)(const std::string&, int, const std::string&)>
Action OnText(const Line& line) {
  line.Need(4);
  std::string window = line.TargetWindow(), text = line.words[3];
  int id = line.TargetControl();
  return [window, id, text](FrontEnd& f) { (f.*kAct)(window, id, text); };
}

Action Tab(const Line& line) {
  line.Need(4);
  std::string window = line.TargetWindow();
  int id = line.TargetControl(), index = Number(line.words[3]);
  return [window, id, index](FrontEnd& f) { f.Tab(window, id, index); };
}

Action Wait(const Line& line) {
  line.Need(2);
  const std::string& word = line.words[1];
  bool digits = word.find_first_of("0123456789") != std::string::npos &&
                word.find_first_not_of("0123456789.") == std::string::npos &&
                word.find('.') == word.rfind('.');
  if (!digits) throw ParseError{"'wait' takes seconds"};
  double seconds = std::strtod(word.c_str(), nullptr);
  if (seconds > kLongestWait) throw ParseError{"'wait' takes at most a day"};
  int ms = static_cast<int>(std::lround(seconds * 1000));
  return [ms](FrontEnd& f) { f.Wait(ms); };
}

Action Answer(const Line& line) {
  line.Need(2);
  static const std::map<std::string, int> buttons = {
      {"OK", kIdOk}, {"Retry", kIdRetry}, {"Cancel", kIdCancel}, {"Yes", kIdYes}, {"No", kIdNo}};
  auto button = buttons.find(line.words[1]);
  if (button == buttons.end()) throw ParseError{"'answer' takes OK, Retry, Cancel, Yes or No"};
  int result = button->second;
  return [result](FrontEnd& f) { f.Answer(result); };
}

Action Save(const Line& line) {
  line.Need(2);
  std::string path = line.words[1] == "cancel" ? "" : line.words[1];
  return [path](FrontEnd& f) { f.Save(path); };
}

Action ShowFileOf(const Line& line) {
  line.Need(2);
  std::string path = line.words[1];
  Transcript& transcript = line.transcript;
  return [&transcript, path](FrontEnd&) { ShowFile(transcript, path); };
}

// "close" is the title bar's close button, "escape" the Escape key.
template <void (FrontEnd::*kAct)(const std::string&)>
Action OnWindow(const Line& line) {
  line.Need(2);
  std::string window = line.TargetWindow();
  return [window](FrontEnd& f) { (f.*kAct)(window); };
}

constexpr struct {
  std::string_view verb;
  Action (*action)(const Line&);
} kVerbs[] = {
    {"printer", PrinterChange},
    {"language", Language},
    {"start", Start},
    {"click", Click},
    {"double-click", IconClick<kMouseLeftDoubleClick>},
    {"right-click", IconClick<kMouseRightUp>},
    {"check", OnControl<&FrontEnd::Click>},
    {"choose", Choose},
    {"pick", Pick},
    {"slide", Slide},
    {"type", OnText<&FrontEnd::Type>},
    {"paste", OnText<&FrontEnd::Paste>},
    {"focus", OnControl<&FrontEnd::Focus>},
    {"tab", Tab},
    {"wait", Wait},
    {"answer", Answer},
    {"save", Save},
    {"show", OnControl<&FrontEnd::Show>},
    {"show-file", ShowFileOf},
    {"close", OnWindow<&FrontEnd::Close>},
    {"escape", OnWindow<&FrontEnd::Escape>},
};

// The action of a line of words; throws ParseError when it makes no sense.
Action Parse(const Line& line) {
  for (const auto& entry : kVerbs)
    if (entry.verb == line.Verb()) return entry.action(line);
  throw ParseError{"unknown command '" + line.Verb() + "'"};
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
      script.Add({Trimmed(line), Parse({words, printer, transcript})});
    } catch (const ParseError& error) {
      return where + error.message;
    } catch (const std::exception& error) {
      return where + error.what();
    }
  }
  return std::string();
}
