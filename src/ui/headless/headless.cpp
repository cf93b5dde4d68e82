#include "ui/headless/headless.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/string_table.h"
#include "ui/dialog_units.h"

namespace {

// Base units of the dialog font as a Windows system would report them for
// Tahoma at 9 points; the headless backend only needs stable numbers.
constexpr DialogBaseUnits kUnits{6, 13};
constexpr int kTabItemHeight = 20;

Rect PixelsOf(const ControlTemplate& c) { return kUnits.Pixels(c.x, c.y, c.cx, c.cy); }

// Records what one drawing leaves in the last framed box.
class RecordingSurface final : public Surface {
 public:
  void FramedWhiteRect(const Rect&) override { lines_.clear(); }
  void SelectFont(const char* face, int pixelHeight, int weight) override {
    font_ = std::string(face) + " " + std::to_string(pixelHeight) + "px " + std::to_string(weight);
  }
  void TextAt(int x, int y, const std::string& text) override { lines_.push_back({y, x, text}); }
  const DrawnTexts& Texts() const { return lines_; }

 private:
  std::string font_;
  DrawnTexts lines_;
};

}  // namespace

// ---------------------------------------------------------------- window

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const DialogTemplate& dialog,
                               DialogProc proc, HeadlessWindow* parent, Rect frame)
    : TemplateWindow(dialog),
      platform_(platform),
      proc_(proc),
      parent_(parent),
      name_(WindowNameOf(dialog.id)),
      frame_(frame) {
  for (const ControlTemplate& c : dialog.controls) {
    if (c.id == kNoId) continue;
    Control& control = controls_[c.id];
    control.layout = &c;
    control.limit = c.textLimit;
  }
}

HeadlessWindow* HeadlessWindow::TopLevel() {
  HeadlessWindow* w = this;
  while (w->parent_) w = w->parent_;
  return w;
}

ControlKind HeadlessWindow::KindOf(int id) const { return At(id).layout->kind; }

HeadlessWindow::Control& HeadlessWindow::At(int id) {
  static Control missing{};
  auto it = controls_.find(id);
  if (it != controls_.end()) return it->second;
  ExpectControl(Template(), id);
  platform_.Record("error: " + name_ + " has no control " + std::to_string(id));
  missing = Control{};
  static const ControlTemplate none{ControlKind::Static, kNoId, 0, 0, 0, 0, 0, 0, 0};
  missing.layout = &none;
  return missing;
}

const HeadlessWindow::Control& HeadlessWindow::At(int id) const {
  return const_cast<HeadlessWindow*>(this)->At(id);
}

void HeadlessWindow::Send(const DialogMessage& message) {
  DeliverDialogMessage(proc_, *this, message, destroyed_);
}

std::vector<HeadlessWindow*> HeadlessWindow::Pages() const {
  std::vector<HeadlessWindow*> pages;
  for (const auto& page : pages_) pages.push_back(page.get());
  return pages;
}

void HeadlessWindow::SetItemText(int id, const std::string& text) {
  Control& c = At(id);
  c.text = c.limit > 0 && c.layout->kind == ControlKind::Edit && int(text.size()) > c.limit
               ? text.substr(0, c.limit)
               : text;
}
std::string HeadlessWindow::ItemText(int id) const { return At(id).text; }
void HeadlessWindow::LimitText(int id, int characters) { At(id).limit = characters; }
void HeadlessWindow::CheckButton(int id, bool checked) { At(id).checked = checked; }
bool HeadlessWindow::IsButtonChecked(int id) const { return At(id).checked; }

void HeadlessWindow::CheckRadioInGroup(int id) {
  for (int radio : RadioGroupOf(Template(), id)) CheckButton(radio, radio == id);
}

int HeadlessWindow::ListAdd(int id, const std::string& text, std::int32_t data) {
  Control& c = At(id);
  c.items.emplace_back(text, data);
  return int(c.items.size()) - 1;
}
void HeadlessWindow::ListSelect(int id, int index) {
  Control& c = At(id);
  c.selection = index >= 0 && index < int(c.items.size()) ? index : -1;
}
int HeadlessWindow::ListSelection(int id) const { return At(id).selection; }
std::int32_t HeadlessWindow::ListItemData(int id, int index) const {
  const Control& c = At(id);
  return index >= 0 && index < int(c.items.size()) ? c.items[index].second : -1;
}
int HeadlessWindow::ListCount(int id) const { return int(At(id).items.size()); }
std::string HeadlessWindow::ListItemText(int id, int index) const {
  const Control& c = At(id);
  return index >= 0 && index < int(c.items.size()) ? c.items[index].first : std::string();
}

void HeadlessWindow::TrackbarSetRange(int id, int minimum, int maximum) {
  Control& c = At(id);
  c.minimum = minimum;
  c.maximum = maximum;
  c.position = std::clamp(c.position, minimum, maximum);
}
void HeadlessWindow::TrackbarSetPos(int id, int position) {
  Control& c = At(id);
  c.position = std::clamp(position, c.minimum, c.maximum);
}
int HeadlessWindow::TrackbarPos(int id) const { return At(id).position; }
int HeadlessWindow::TrackbarMin(int id) const { return At(id).minimum; }
int HeadlessWindow::TrackbarMax(int id) const { return At(id).maximum; }
int HeadlessWindow::TextLimitOf(int id) const { return At(id).limit; }

void HeadlessWindow::ShowItem(int id, bool shown) { At(id).shown = shown; }
bool HeadlessWindow::IsItemShown(int id) const { return At(id).shown; }

void HeadlessWindow::Show(bool shown) {
  if (shown == shown_) return;
  shown_ = shown;
  if (!parent_) platform_.transcript_.Shown(name_, shown);
  // Showing paints the window and its shown pages.
  if (shown && !destroyed_) {
    bool visible = true;
    for (HeadlessWindow* w = parent_; w; w = w->parent_) visible = visible && w->shown_;
    if (!visible) return;
    std::vector<HeadlessWindow*> todo = {this};
    while (!todo.empty()) {
      HeadlessWindow* w = todo.back();
      todo.pop_back();
      w->Send({DialogEvent::Paint});
      for (auto& page : w->pages_)
        if (page->shown_) todo.push_back(page.get());
    }
  }
}

void HeadlessWindow::FocusItem(int id) { platform_.Focus(name_, id); }

void HeadlessWindow::TabInsert(int id, int index, const std::string& text) {
  Control& c = At(id);
  index = std::clamp(index, 0, int(c.items.size()));
  c.items.insert(c.items.begin() + index, {text, 0});
  if (c.selection < 0)
    c.selection = 0;
  else if (index <= c.selection && c.items.size() > 1)
    ++c.selection;
}
void HeadlessWindow::TabSelect(int id, int index) {
  Control& c = At(id);
  if (index >= 0 && index < int(c.items.size())) c.selection = index;
}
int HeadlessWindow::TabSelection(int id) const { return At(id).selection; }
std::string HeadlessWindow::TabText(int id, int index) const { return ListItemText(id, index); }
int HeadlessWindow::TabCount(int id) const { return ListCount(id); }

Window* HeadlessWindow::CreateTabPage(int tabId, int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return nullptr;
  Rect tab = ItemRect(tabId);
  Rect frame = TabPageArea(tab, kTabItemHeight);
  pages_.push_back(std::make_unique<HeadlessWindow>(platform_, *dialog, proc, this, frame));
  HeadlessWindow* page = pages_.back().get();
  page->shown_ = false;
  page->Send({DialogEvent::Init, 0, 0, proc ? param : nullptr});
  return page;
}

Rect HeadlessWindow::ItemRect(int id) const { return PixelsOf(*At(id).layout); }

void HeadlessWindow::MoveTo(int x, int y) {
  frame_ = {x, y, x + frame_.Width(), y + frame_.Height()};
}

void HeadlessWindow::Draw(const std::function<void(Surface&)>& drawing) {
  RecordingSurface surface;
  drawing(surface);
  platform_.transcript_.Display(name_, surface.Texts());
}

void HeadlessWindow::SetTimer(int id, int milliseconds) {
  platform_.clock_.Set(this, id, milliseconds);
}

void HeadlessWindow::KillTimer(int id) { platform_.clock_.Kill(this, id); }

int HeadlessWindow::ShowMessageBox(const std::string& text, MessageButtons buttons) {
  // While the program closes, nothing new is asked: the answer is Cancel.
  if (platform_.modalLoops_.Closing()) return buttons == MessageButtons::Ok ? kIdOk : kIdCancel;
  ModalLoops::Loop loop(platform_.modalLoops_);
  platform_.transcript_.MessageBox(name_, buttons, text);
  HeadlessPlatform::Modal modal{HeadlessPlatform::Modal::MessageBox, this, buttons};
  platform_.RunNested(modal);
  return modal.result;
}

std::string HeadlessWindow::PromptSaveFile(const SaveFileRequest& request) {
  if (platform_.modalLoops_.Closing()) return std::string();
  ModalLoops::Loop loop(platform_.modalLoops_);
  platform_.transcript_.SavePrompt(name_, request);
  for (;;) {
    HeadlessPlatform::Modal prompt{HeadlessPlatform::Modal::SavePrompt, this};
    platform_.RunNested(prompt);
    // A name typed without an extension gets the default one.
    const std::string typed = std::filesystem::path(prompt.path).filename().string();
    if (!typed.empty() && typed.find('.') == std::string::npos && !request.defaultExtension.empty())
      prompt.path += "." + request.defaultExtension;
    // As the desktop prompts do, an existing file is replaced only when the
    // user says so; No leaves the prompt open for another name.
    std::error_code error;
    if (prompt.path.empty() || !std::filesystem::exists(prompt.path, error) ||
        std::filesystem::is_directory(prompt.path, error))
      return prompt.path;
    platform_.transcript_.ReplaceQuestion();
    HeadlessPlatform::Modal question{HeadlessPlatform::Modal::ReplaceQuestion, this};
    platform_.RunNested(question);
    if (question.result == kIdYes) return prompt.path;
  }
}

int HeadlessWindow::RunModal(int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return -1;
  if (platform_.modalLoops_.Closing()) return kIdCancel;
  ModalLoops::Loop loop(platform_.modalLoops_);
  Rect frame = kUnits.Pixels(0, 0, dialog->cx, dialog->cy);
  platform_.topLevels_.push_back(
      std::make_unique<HeadlessWindow>(platform_, *dialog, proc, nullptr, frame));
  HeadlessWindow* window = platform_.topLevels_.back().get();
  window->Send({DialogEvent::Init, 0, 0, param});
  window->Show(true);
  HeadlessPlatform::Modal modal{HeadlessPlatform::Modal::Dialog, window};
  platform_.RunNested(modal);
  int result = window->modalResult;
  // Freed as the other toolkits free it, so that a pointer the program kept
  // to the closed dialog or its pages dangles here too (and the sanitizers
  // see its use).
  window->DestroyNow();
  auto& windows = platform_.topLevels_;
  windows.erase(std::find_if(windows.begin(), windows.end(),
                             [&](const auto& w) { return w.get() == window; }));
  return result;
}

void HeadlessWindow::EndDialog(int result) {
  modalEnded = true;
  modalResult = result;
}

void HeadlessWindow::Destroy() {
  // Destroyed under running modal loops, the windows they run would vanish
  // beneath them: the loops end first, innermost out.
  if (platform_.modalLoops_.Running()) return platform_.modalLoops_.After([this] { DestroyNow(); });
  DestroyNow();
}

void HeadlessWindow::DestroyNow() {
  if (destroyed_) return;
  Show(false);
  destroyed_ = true;
  for (auto& page : pages_) page->DestroyNow();
  platform_.clock_.Forget(this);
  if (!parent_ && !modalEnded) platform_.transcript_.Destroyed(name_);
}

// -------------------------------------------------------------- platform

HeadlessPlatform::HeadlessPlatform(Transcript::Log log) : transcript_(std::move(log)) {}
HeadlessPlatform::~HeadlessPlatform() = default;

bool HeadlessPlatform::Step() {
  if (script_.empty()) return false;
  auto action = std::move(script_.front());
  script_.pop_front();
  action();
  return true;
}

void HeadlessPlatform::RunNested(Modal& modal) {
  modals_.push_back(&modal);
  auto done = [&] {
    return modal.kind == Modal::Dialog ? modal.owner->modalEnded : modal.answered;
  };
  while (!done() && !quit_ && !modalLoops_.Closing()) {
    if (Step()) continue;
    // The script ended with the modal thing still open: close it as
    // Escape would, so the program never waits for ever.
    switch (modal.kind) {
      case Modal::MessageBox:
        modal.result = modal.buttons == MessageButtons::Ok ? kIdOk : kIdCancel;
        transcript_.ScriptEndedAnswer(modal.result);
        break;
      case Modal::ReplaceQuestion:
        modal.result = kIdNo;
        transcript_.ScriptEndedAnswer(modal.result);
        break;
      case Modal::SavePrompt: transcript_.ScriptEndedSavePrompt(); break;
      case Modal::Menu: transcript_.ScriptEndedMenu(); break;
      case Modal::Dialog:
        transcript_.ScriptEndedClose(modal.owner->Name());
        modal.owner->Send({DialogEvent::Close});
        if (!modal.owner->modalEnded) modal.owner->EndDialog(0);
        break;
    }
    modal.answered = true;
  }
  // Ended because the program closes: answered as Cancel would answer it,
  // with nothing written, a dialog of the program's ended past its procedure.
  if (!done()) {
    if (modal.kind == Modal::MessageBox)
      modal.result = modal.buttons == MessageButtons::Ok ? kIdOk : kIdCancel;
    else if (modal.kind == Modal::ReplaceQuestion)
      modal.result = kIdNo;
    else if (modal.kind == Modal::Dialog)
      modal.owner->EndDialog(kIdCancel);
  }
  modals_.pop_back();
}

HeadlessWindow* HeadlessPlatform::Find(const std::string& name) {
  std::vector<HeadlessWindow*> todo;
  for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it) todo.push_back(it->get());
  for (std::size_t i = 0; i < todo.size(); ++i) {
    HeadlessWindow* w = todo[i];
    if (w->Destroyed()) continue;
    if (w->Name() == name) return w;
    for (HeadlessWindow* page : w->Pages()) todo.push_back(page);
  }
  return nullptr;
}

bool HeadlessPlatform::Blocked(HeadlessWindow* window) const {
  if (modals_.empty()) return false;
  const Modal* top = modals_.back();
  return top->kind != Modal::Dialog || window->TopLevel() != top->owner;
}

HeadlessWindow* HeadlessPlatform::Usable(const std::string& name, int id) {
  HeadlessWindow* w = Find(name);
  if (!w) {
    transcript_.NoWindow(name);
    return nullptr;
  }
  for (HeadlessWindow* v = w; v; v = v->Parent()) {
    if (!v->IsShown()) {
      transcript_.NotShown(name);
      return nullptr;
    }
  }
  if (Blocked(w)) {
    transcript_.Disabled(name);
    return nullptr;
  }
  if (id && (!w->HasControl(id) || !w->IsItemShown(id))) {
    transcript_.NoControl(name, id);
    return nullptr;
  }
  return w;
}

void HeadlessPlatform::Click(const std::string& window, int id) {
  HeadlessWindow* w = Usable(window, id);
  if (!w) return;
  switch (w->KindOf(id)) {
    case ControlKind::CheckBox: w->CheckButton(id, !w->IsButtonChecked(id)); break;
    case ControlKind::RadioButton: w->CheckRadioInGroup(id); break;
    case ControlKind::PushButton: break;
    case ControlKind::Edit: Focus(window, id); return;
    default: return;  // static texts, group boxes and lists send no click
  }
  w->Send({DialogEvent::Command, id, kButtonClicked});
}

void HeadlessPlatform::PickListItem(const std::string& window, int id, int index) {
  HeadlessWindow* w = Usable(window, id);
  if (!w) return;
  if (w->KindOf(id) != ControlKind::DropDownList || index < 0 || index >= w->ListCount(id)) {
    transcript_.NoEntry(window, id, index);
    return;
  }
  w->ListSelect(id, index);
  w->Send({DialogEvent::Command, id, kListSelectionChanged});
}

void HeadlessPlatform::MoveSlider(const std::string& window, int id, int code, int position) {
  HeadlessWindow* w = Usable(window, id);
  if (!w || w->KindOf(id) != ControlKind::Trackbar) return;
  int lo = w->TrackbarMin(id), hi = w->TrackbarMax(id);
  int pos = TrackbarMove(code, w->TrackbarPos(id), position, lo, hi, std::max(1, (hi - lo) / 5));
  w->TrackbarSetPos(id, pos);
  w->Send({DialogEvent::HScroll, id, code});
  if (code != kScrollEnd && code != kScrollThumbTrack)
    w->Send({DialogEvent::HScroll, id, kScrollEnd});
}

void HeadlessPlatform::Type(const std::string& window, int id, const std::string& text) {
  HeadlessWindow* w = Usable(window, id);
  if (!w || w->KindOf(id) != ControlKind::Edit) return;
  for (char c : text) {
    std::string now = w->ItemText(id);
    if (c == '\b') {
      if (now.empty()) continue;
      now.pop_back();
    } else {
      int limit = w->TextLimitOf(id);
      if (limit > 0 && int(now.size()) >= limit) continue;  // the edit refuses it
      now += c;
    }
    w->SetItemText(id, now);
    w->Send({DialogEvent::Command, id, kEditUpdated});
    w->Send({DialogEvent::Command, id, kEditChanged});
  }
}

void HeadlessPlatform::Paste(const std::string& window, int id, const std::string& text) {
  HeadlessWindow* w = Usable(window, id);
  if (!w || w->KindOf(id) != ControlKind::Edit) return;
  w->SetItemText(id, text);  // the field keeps its limit
  w->Send({DialogEvent::Command, id, kEditUpdated});
  w->Send({DialogEvent::Command, id, kEditChanged});
}

void HeadlessPlatform::Focus(const std::string& window, int id) {
  HeadlessWindow* w = Usable(window, id);
  if (!w) return;
  if (w->KindOf(id) == ControlKind::Edit) w->Send({DialogEvent::Command, id, kEditSetFocus});
}

void HeadlessPlatform::PickTab(const std::string& window, int tabId, int index) {
  HeadlessWindow* w = Usable(window, tabId);
  if (!w || w->KindOf(tabId) != ControlKind::TabControl) return;
  if (index < 0 || index >= w->TabCount(tabId)) {
    transcript_.NoTab(window, index);
    return;
  }
  w->TabSelect(tabId, index);
  w->Send({DialogEvent::TabChanged, tabId});
}

void HeadlessPlatform::CloseWindow(const std::string& window) {
  HeadlessWindow* w = Usable(window, 0);
  if (w) w->TopLevel()->Send({DialogEvent::Close});
}

void HeadlessPlatform::PressEscape(const std::string& window) {
  HeadlessWindow* w = Usable(window, 0);
  if (w) w->TopLevel()->Send({DialogEvent::Command, kIdCancel, kButtonClicked});
}

void HeadlessPlatform::TrayMouse(int mouseMessage) {
  if (!trayOwner_) {
    transcript_.NoIcon();
    return;
  }
  trayOwner_->Send({DialogEvent::TrayIcon, trayIconId_, mouseMessage});
}

void HeadlessPlatform::ChooseMenuItem(int command) {
  if (modals_.empty() || modals_.back()->kind != Modal::Menu) {
    transcript_.NoMenu();
    return;
  }
  modals_.back()->result = command;
  modals_.back()->answered = true;
}

void HeadlessPlatform::Wait(int milliseconds) {
  clock_.Advance(milliseconds, [](HeadlessWindow* window, int id) {
    window->Send({DialogEvent::Timer, id});
  });
}

void HeadlessPlatform::Answer(int result) {
  if (modals_.empty() || (modals_.back()->kind != Modal::MessageBox &&
                          modals_.back()->kind != Modal::ReplaceQuestion)) {
    transcript_.NoMessageBox();
    return;
  }
  Modal& box = *modals_.back();
  bool allowed = box.kind == Modal::ReplaceQuestion  ? result == kIdYes || result == kIdNo
                 : box.buttons == MessageButtons::Ok ? result == kIdOk
                                                     : result == kIdRetry || result == kIdCancel;
  if (!allowed) {
    transcript_.NoButton(result);
    return;
  }
  transcript_.Answered(result);
  box.result = result;
  box.answered = true;
}

void HeadlessPlatform::AnswerSavePrompt(const std::string& path) {
  if (modals_.empty() || modals_.back()->kind != Modal::SavePrompt) {
    transcript_.NoSavePrompt();
    return;
  }
  transcript_.SaveAnswered(path);
  modals_.back()->path = path;
  modals_.back()->answered = true;
}

void HeadlessPlatform::ShowText(const std::string& window, int id) {
  HeadlessWindow* w = Find(window);
  if (!w || !w->HasControl(id)) {
    transcript_.NoSuchControl(window, id);
    return;
  }
  transcript_.ControlShows(window, *w, id, !w->IsItemShown(id),
                           {[&](int index) { return w->ListItemText(id, index); },
                            [&] {
                              std::vector<std::string> tabs;
                              tabs.reserve(static_cast<std::size_t>(w->TabCount(id)));
                              for (int i = 0; i < w->TabCount(id); ++i)
                                tabs.push_back(w->TabText(id, i));
                              return tabs;
                            }});
}

Window* HeadlessPlatform::CreateModeless(int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return nullptr;
  Rect frame = kUnits.Pixels(0, 0, dialog->cx, dialog->cy);
  topLevels_.push_back(std::make_unique<HeadlessWindow>(*this, *dialog, proc, nullptr, frame));
  HeadlessWindow* window = topLevels_.back().get();
  window->Send({DialogEvent::Init, 0, 0, param});
  return window;
}

int HeadlessPlatform::RunMessageLoop() {
  while (!quit_ && Step()) {}
  bool ended = quit_;
  quit_ = false;
  return ended ? quitCode_ : -1;
}

void HeadlessPlatform::Quit(int code) {
  quit_ = true;
  quitCode_ = code;
}

bool HeadlessPlatform::AcquireSingleInstance(const char* name, int request) {
  if (guards_.insert(name).second) {
    heldGuards_.push_back(name);
    return true;
  }
  if (HeadlessWindow* owner = laterStarts_.owner) {
    const DialogMessage heard{DialogEvent::Command, laterStarts_.command, request};
    // Under a modal window only the request to end is heard, once it closes.
    if (!modalLoops_.Running())
      owner->Send(heard);
    else if (request == laterStarts_.endRequest)
      modalLoops_.After([owner, heard] { owner->Send(heard); });
  }
  return false;
}

void HeadlessPlatform::ReleaseSingleInstance() {
  if (heldGuards_.empty()) return;
  guards_.erase(heldGuards_.back());
  heldGuards_.pop_back();
  laterStarts_ = {};
}

void HeadlessPlatform::ListenForLaterStarts(Window& owner, int command, int endRequest) {
  laterStarts_ = {static_cast<HeadlessWindow*>(&owner), command, endRequest};
}

void HeadlessPlatform::AddTrayIcon(Window& owner, int iconId, const char* tip) {
  trayOwner_ = static_cast<HeadlessWindow*>(&owner);
  trayIconId_ = iconId;
  transcript_.IconAdded(tip);
}

void HeadlessPlatform::RemoveTrayIcon(Window& owner, int iconId) {
  if (trayOwner_ != &owner || trayIconId_ != iconId) return;
  trayOwner_ = nullptr;
  transcript_.IconRemoved();
}

void HeadlessPlatform::SetTrayIconState(Window& owner, int iconId, IconState state,
                                        const std::string& tip) {
  if (trayOwner_ != &owner || trayIconId_ != iconId) return;
  transcript_.IconState(state, tip);
}

void HeadlessPlatform::Notify(Window& owner, int iconId, NotificationKind kind,
                              const std::string& title, const std::string& text) {
  if (trayOwner_ != &owner || trayIconId_ != iconId) return;
  transcript_.Notification(kind, title, text);
}

int HeadlessPlatform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  transcript_.Menu(items);
  Modal modal{Modal::Menu, static_cast<HeadlessWindow*>(&owner)};
  RunNested(modal);
  if (modal.result == 0) transcript_.MenuDismissed();
  return modal.result;
}

void HeadlessPlatform::DebugTrace(const char* text) { transcript_.DebugTrace(text); }

void HeadlessPlatform::FileWritten(const std::string& path) { transcript_.FileWritten(path); }
