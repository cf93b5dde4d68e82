// What the core asks of the window that acted when something must be told
// to the user: one string of the string table in a modal message box with
// an OK button and an empty caption, owned by that window.
#pragma once

class MessageOwner {
 public:
  virtual void ShowMessage(int stringId) = 0;

 protected:
  ~MessageOwner() = default;
};
