// The headless front end: the program's windows are the headless backend's,
// which keeps every control's state and takes the user's actions directly.
#pragma once

#include "front_end.h"
#include "ui/headless/headless.h"

class HeadlessFrontEnd final : public FrontEnd {
 public:
  explicit HeadlessFrontEnd(Transcript::Log log);

  void Play(Script& script) override;
  int Run(bool second, int watchSeconds, DeviceLink& windowLink) override;
  void Click(const std::string& window, int id) override { ui_.Click(window, id); }
  void Pick(const std::string& window, int id, const std::string& entry) override;
  void Slide(const std::string& window, int id, int scrollCode, int position) override {
    ui_.MoveSlider(window, id, scrollCode, position);
  }
  void Type(const std::string& window, int id, const std::string& text) override {
    ui_.Type(window, id, text);
  }
  void Paste(const std::string& window, int id, const std::string& text) override {
    ui_.Paste(window, id, text);
  }
  void Focus(const std::string& window, int id) override { ui_.Focus(window, id); }
  void Tab(const std::string& window, int id, int index) override {
    ui_.PickTab(window, id, index);
  }
  void Close(const std::string& window) override { ui_.CloseWindow(window); }
  void Escape(const std::string& window) override { ui_.PressEscape(window); }
  void Wait(int milliseconds) override { ui_.Wait(milliseconds); }
  void Answer(int result) override { ui_.Answer(result); }
  void Save(const std::string& path) override { ui_.AnswerSavePrompt(path); }
  void IconMouse(int mouseMessage) override { ui_.TrayMouse(mouseMessage); }
  void ChooseMenuItem(int command) override { ui_.ChooseMenuItem(command); }
  void Show(const std::string& window, int id) override { ui_.ShowText(window, id); }

 private:
  HeadlessPlatform ui_;
};
