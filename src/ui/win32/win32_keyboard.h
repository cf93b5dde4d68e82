// The keys of a tabbed dialog that Windows' dialog manager leaves to the
// program: Tab stops on the tab control between the controls before it and
// its shown page's; Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp
// switch the tabs, as in a property sheet; Enter presses the focused push
// button (elsewhere it stays the dialog's default button's).
#pragma once

#include <windows.h>

// True when the message was such a key and has been answered; the message
// loop then neither translates nor dispatches it.
bool HandleDialogKey(const MSG& message);

// Answers those keys also in the modal loops of dialogs the program runs,
// for as long as it lives.
class DialogKeysInModalLoops {
 public:
  DialogKeysInModalLoops();
  ~DialogKeysInModalLoops();
  DialogKeysInModalLoops(const DialogKeysInModalLoops&) = delete;
  DialogKeysInModalLoops& operator=(const DialogKeysInModalLoops&) = delete;

 private:
  HHOOK hook_;
};
