// The conformance suite's user on the headless backend: actions by window name.
#include "backend_driver.h"
#include "ui/headless/headless.h"

namespace {

class HeadlessDriver final : public BackendDriver {
 public:
  Platform& platform() override { return platform_; }
  void Click(Window& window, int id) override { platform_.Click(Name(window), id); }
  void CloseFromTitleBar(Window& window) override { platform_.CloseWindow(Name(window)); }
  void WhenModalOpens(std::function<void()> action) override {
    platform_.Script(std::move(action));
  }
  std::string AnswerMessageBox(int button) override {
    platform_.Answer(button);
    return "";  // a headless box has no caption
  }
  void LetTimePass(int milliseconds) override { platform_.Wait(milliseconds); }
  bool WaitCursorShown() override { return platform_.WaitCursorDepth() > 0; }

 private:
  static std::string Name(Window& window) { return static_cast<HeadlessWindow&>(window).Name(); }
  HeadlessPlatform platform_{[](const std::string&) {}};
};

}  // namespace

std::unique_ptr<BackendDriver> MakeBackendDriver() { return std::make_unique<HeadlessDriver>(); }
