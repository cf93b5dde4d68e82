// The Qt front end: the program runs on the real widgets of src/ui/qt (the
// offscreen platform unless a display is set) and the user's actions reach
// them as input: clicks as mouse events on the control, keys as key events,
// the title bar's close as the window system's close. The next action is
// taken from a zero timer once the last one has settled, in whichever loop
// runs, the message boxes', menus' and modal windows' own loops too. The
// program's timers run on the runner's clock, so `wait` is exact and quick.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "front_end.h"
#include "program_runs.h"
#include "ui/headless/timer_clock.h"
#include "ui/headless/transcript.h"
#include "ui/qt/qt_window.h"

class QAbstractButton;
class QApplication;
class QMessageBox;
class QTemporaryDir;
class ScenarioQtPlatform;

class QtFrontEnd final : public FrontEnd, private QtWindowWatcher, private QObject {
 public:
  QtFrontEnd(int& argc, char** argv, Transcript::Log log);
  ~QtFrontEnd() override;

  void Play(Script& script) override;
  int Run(bool second, int watchSeconds, DeviceLink& windowLink) override;
  void Click(const std::string& window, int id) override;
  void Pick(const std::string& window, int id, const std::string& entry) override;
  void Slide(const std::string& window, int id, int scrollCode, int position) override;
  void Type(const std::string& window, int id, const std::string& text) override;
  void Paste(const std::string& window, int id, const std::string& text) override;
  void Focus(const std::string& window, int id) override;
  void Tab(const std::string& window, int id, int index) override;
  void Close(const std::string& window) override;
  void Escape(const std::string& window) override;
  void Wait(int milliseconds) override;
  void Answer(int result) override;
  void Save(const std::string& path) override;
  void IconMouse(int mouseMessage) override;
  void ChooseMenuItem(int command) override;
  void Show(const std::string& window, int id) override;

 private:
  // The pump: one action per turn of whichever loop runs.
  void Schedule();
  void Turn();
  void EndOfScript();
  void Settle();
  bool AwaitingPaint() const;

  QtWindow* Find(const std::string& name) const;
  QtWindow* Usable(const std::string& name, int id);
  QWidget* TopModal() const;
  // A message box's answers (kIdOk, ...) and the button that gives one.
  static std::vector<int> AnswersOf(const QMessageBox& box);
  static QAbstractButton* ButtonFor(const QMessageBox& box, int answer);

  // QtWindowWatcher
  void TimerSet(QtWindow& window, int id, int milliseconds) override;
  void TimerKilled(QtWindow& window, int id) override;
  void Painted(QtWindow& window, const DrawnTexts& texts, bool fresh) override;
  void Destroyed(QtWindow& window) override;
  void Opening(QtWindow& owner, QWidget& modal) override;
  // QObject: the shown and hidden windows and modal things.
  bool eventFilter(QObject* object, QEvent* event) override;
  // The line of a message box, save prompt or menu as it shows.
  void RecordModal(QWidget& modal);
  // What the innermost open modal thing is, for the watchdog to name.
  void NoteInnermost();
  // Gives the run up once no action has been taken for too long, even when
  // the program's thread is stuck (a read that never returns).
  void Watch();
  void Follow(QtWindow& window);
  void Forget(QtWindow* window);

  Transcript transcript_;
  std::unique_ptr<QTemporaryDir> session_;  // its runtime and settings folders
  std::unique_ptr<QApplication> app_;
  Script* script_ = nullptr;
  ProgramRuns<ScenarioQtPlatform> runs_;
  std::vector<QPointer<QWidget>> modals_;  // open modal things, innermost last
  bool turnPending_ = false;
  // Shared with the watchdog's thread.
  std::atomic<bool> ending_{false};
  std::mutex innermostMutex_;
  std::string innermost_;
  std::thread watchdog_;
  TimerClock<QtWindow> clock_;
  std::vector<QtWindow*> uncovered_;  // shown since their last recorded paint
  std::set<QtWindow*> followed_;      // told when their widget goes
};
