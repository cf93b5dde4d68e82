// What the dialog layer's conformance suite needs of a backend beyond the
// dialog layer: its platform, and how a user acts on its windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/dialog.h"

class BackendDriver {
 public:
  virtual ~BackendDriver() = default;
  virtual Platform& platform() = 0;
  virtual void Click(Window& window, int id) = 0;  // a mouse click on a button
  virtual void CloseFromTitleBar(Window& window) = 0;
  // Runs the action from inside the loop of the modal thing about to open,
  // as a user's next input would come.
  virtual void WhenModalOpens(std::function<void()> action) = 0;
  // Presses the open message box's button (kIdOk, kIdRetry, kIdCancel);
  // returns the box's caption.
  virtual std::string AnswerMessageBox(int button) = 0;
  virtual void LetTimePass(int milliseconds) = 0;  // with the events running
  virtual bool WaitCursorShown() = 0;
};

std::unique_ptr<BackendDriver> MakeBackendDriver();
