// A front end of the scenario runner: one toolkit's way of running the
// program and doing a user's actions on its real windows. The runner reads
// the scenario once (reader.h); the front end takes its actions one at a
// time (Script::PlayNext) from its own loop and from inside every modal
// loop the program opens, whenever it is ready for the next one, as a
// desktop takes a user's next input.
#pragma once

#include <string>
#include <vector>

class Script;
class DeviceLink;

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Plays the script to its end. When the script ends while something
  // modal is open, the front end closes it as Escape would and writes the
  // "(script ended) ..." line (Transcript::ScriptEnded*); when it ends with
  // the program's loop running, that loop ends and Run returns.
  virtual void Play(Script& script) = 0;

  // Runs the program until it ends and returns what it returned; second: a
  // second instance started while the first runs; watchSeconds: the status
  // watch's period, 0 for none; windowLink: the window's link.
  virtual int Run(bool second, int watchSeconds, DeviceLink& windowLink) = 0;

  // The user's actions. A window is named as in transcripts ("main",
  // "user service", ...), a control by its id. An action the user could not
  // do (window not shown, disabled by a modal one, no such control) writes
  // an "ignored: ..." line instead.
  virtual void Click(const std::string& window, int id) = 0;
  // entry: the text of an entry, or else its position.
  virtual void Pick(const std::string& window, int id, const std::string& entry) = 0;
  // scrollCode: the trackbar's move (ScrollCode); position for the drags.
  virtual void Slide(const std::string& window, int id, int scrollCode, int position) = 0;
  virtual void Type(const std::string& window, int id, const std::string& text) = 0;
  virtual void Paste(const std::string& window, int id, const std::string& text) = 0;
  virtual void Focus(const std::string& window, int id) = 0;
  virtual void Tab(const std::string& window, int id, int index) = 0;
  virtual void Close(const std::string& window) = 0;  // the title bar's close
  virtual void Escape(const std::string& window) = 0;
  virtual void Wait(int milliseconds) = 0;                   // timers run
  virtual void Answer(int result) = 0;                       // the open message box
  virtual void Save(const std::string& path) = 0;            // the save prompt; empty: cancel
  virtual void IconMouse(int mouseMessage) = 0;              // the notification icon
  virtual void ChooseMenuItem(int command) = 0;              // the open menu; 0: dismiss
  virtual void Show(const std::string& window, int id) = 0;  // what the control shows
};

// The index of the entry with that text, else the entry's position when it
// is a number, else -1.
int EntryIndex(const std::vector<std::string>& entries, const std::string& entry);
