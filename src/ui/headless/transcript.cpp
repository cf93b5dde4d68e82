#include "ui/headless/transcript.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/string_table.h"
#include "layouts/dialog_template.h"

std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '"' || c == '\\')
      out += std::string("\\") + c;
    else
      out += c;
  }
  return out + "\"";
}

std::string WindowNameOf(int templateId) {
  switch (templateId) {
    case kMainWindowTemplate: return "main";
    case kPanelPageTemplate: return "panel";
    case kUserServiceTemplate: return "user service";
    case kServiceModeTemplate: return "service mode";
    case kConfigWindowTemplate: return "configuration";
    case kAboutTemplate: return "about";
    case kConfigSuppliesTemplate: return "supplies";
    case kConfigCoverageTemplate: return "coverage";
    case kConfigCounterTemplate: return "counter";
    case kConfigPaperTemplate: return "paper";
    case kConfigMachineTemplate: return "machine";
    case kConfigFirmwareTemplate: return "firmware";
    case kConfigAdjustmentTemplate: return "adjustment";
    default: return "dialog " + std::to_string(templateId);
  }
}

std::string ButtonName(int result) {
  switch (result) {
    case kIdOk: return "OK";
    case kIdCancel: return "Cancel";
    case kIdRetry: return "Retry";
    case kIdYes: return "Yes";
    case kIdNo: return "No";
    default: return std::to_string(result);
  }
}

void Transcript::NoControl(const std::string& window, int id) {
  Ignored("no control " + window + " " + std::to_string(id));
}

void Transcript::NoEntry(const std::string& window, int id, int index) {
  Ignored("no entry " + std::to_string(index) + " in " + window + " " + std::to_string(id));
}

void Transcript::NoTab(const std::string& window, int index) {
  Ignored("no tab " + std::to_string(index) + " in " + window);
}

void Transcript::Shown(const std::string& window, bool shown) {
  log_((shown ? "show " : "hide ") + window);
}

void Transcript::Destroyed(const std::string& window) { log_("destroy " + window); }

void Transcript::Display(const std::string& window, DrawnTexts texts) {
  std::string shown;
  std::sort(texts.begin(), texts.end());
  for (const auto& text : texts)
    shown += (shown.empty() ? "" : " / ") + QuoteText(std::get<2>(text));
  log_("display " + window + ": " + (texts.empty() ? "(empty)" : shown));
}

void Transcript::MessageBox(const std::string& window, MessageButtons buttons,
                            const std::string& text) {
  if (buttons == MessageButtons::Ok)
    MessageBox(window, std::vector<int>{kIdOk}, text);
  else
    MessageBox(window, std::vector<int>{kIdRetry, kIdCancel}, text);
}

void Transcript::MessageBox(const std::string& window, const std::vector<int>& buttons,
                            const std::string& text) {
  std::string names;
  for (int button : buttons) names += (names.empty() ? "" : " ") + ButtonName(button);
  log_("message box " + window + " [" + names + "]: " + QuoteText(text));
}

void Transcript::Answered(int result) { log_("answer: " + ButtonName(result)); }

void Transcript::ReplaceQuestion() { log_("message box save prompt [Yes No]"); }

void Transcript::SavePrompt(const std::string& window, const SaveFileRequest& request) {
  log_("save prompt " + window + ": " + QuoteText(request.filterText) + " " +
       QuoteText(request.filterPattern) + " ." + request.defaultExtension + " " +
       QuoteText(request.proposedName));
}

void Transcript::SaveAnswered(const std::string& path) {
  log_(path.empty() ? "save prompt cancelled" : "save as " + QuoteText(path));
}

void Transcript::Menu(const std::vector<MenuItem>& items) {
  std::vector<std::string> texts;
  texts.reserve(items.size());
  for (const MenuItem& item : items) texts.push_back(TextOrEmpty(item.stringId));
  MenuOf(texts);
}

void Transcript::MenuOf(const std::vector<std::string>& texts) {
  std::string line = "menu:";
  for (const std::string& text : texts) line += " " + QuoteText(text);
  log_(line);
}

void Transcript::MenuDismissed() { log_("menu dismissed"); }

void Transcript::ScriptEndedAnswer(int result) {
  log_("(script ended) answer: " + ButtonName(result));
}
void Transcript::ScriptEndedSavePrompt() { log_("(script ended) save prompt cancelled"); }
void Transcript::ScriptEndedMenu() { log_("(script ended) menu dismissed"); }
void Transcript::ScriptEndedClose(const std::string& window) {
  log_("(script ended) close " + window);
}

void Transcript::IconAdded(const std::string& tip) {
  log_("notification icon added: " + QuoteText(tip));
}

void Transcript::IconRemoved() { log_("notification icon removed"); }

void Transcript::IconState(::IconState state, const std::string& tip) {
  static const char* const kNames[] = {"plain", "ready", "warning", "error", "no printer"};
  log_(std::string("icon: ") + kNames[static_cast<int>(state)]);
  log_("tip: " + QuoteText(tip));
}

void Transcript::Notification(NotificationKind kind, const std::string& title,
                              const std::string& text) {
  static const char* const kNames[] = {"info", "warning", "error"};
  log_(std::string("notification ") + kNames[static_cast<int>(kind)] + ": " + QuoteText(title) +
       " / " + QuoteText(text));
}

void Transcript::DebugTrace(const std::string& text) { log_("debug trace: " + QuoteText(text)); }

void Transcript::FileWritten(const std::string& path) {
  std::error_code sizeError, folderError;
  auto size = std::filesystem::file_size(path, sizeError);
  // A file in the working folder is named as the scenario named it, even
  // where the save prompt gave the whole path.
  std::filesystem::path file(path);
  std::filesystem::path folder = std::filesystem::current_path(folderError);
  bool inFolder = !folderError && file.is_absolute() && file.parent_path() == folder;
  log_("file written: " + QuoteText(inFolder ? file.filename().string() : path) + " (" +
       (sizeError ? "?" : std::to_string(size)) + " bytes)");
}

void Transcript::NoSuchControl(const std::string& window, int id) {
  log_("show " + window + " " + std::to_string(id) + ": no such control");
}

void Transcript::ControlShows(const std::string& name, const Window& window, int id, bool hidden,
                              const ControlTexts& texts) {
  std::string what;
  switch (ControlKindIn(window.TemplateId(), id)) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      what = (window.IsButtonChecked(id) ? "[x] " : "[ ] ") + QuoteText(window.ItemText(id));
      break;
    case ControlKind::DropDownList: {
      const int selection = window.ListSelection(id);
      what = (selection < 0 ? "(no selection)" : QuoteText(texts.listEntry(selection))) + " of " +
             std::to_string(window.ListCount(id));
      break;
    }
    case ControlKind::Trackbar: what = "thumb at " + std::to_string(window.TrackbarPos(id)); break;
    case ControlKind::TabControl: {
      const std::vector<std::string> tabs = texts.tabs();
      const int selected = window.TabSelection(id);
      if (tabs.empty()) what = "(no tabs)";
      for (std::size_t i = 0; i < tabs.size(); ++i)
        what += (i ? " " : "") + std::string(int(i) == selected ? "*" : "") + QuoteText(tabs[i]);
      break;
    }
    default: what = QuoteText(window.ItemText(id)); break;
  }
  log_("show " + name + " " + std::to_string(id) + (hidden ? " (hidden)" : "") + ": " + what);
}
