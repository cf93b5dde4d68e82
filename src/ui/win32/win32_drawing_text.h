// What a window's own drawing says (the panel display), for a screen reader:
// a static text child over the drawing's box, read among the window's
// controls where its template puts the drawing, and a polite live region.
#pragma once

#include <windows.h>

#include <string>

class Win32DrawingText {
 public:
  // Read right after `after`, or after every other child when null.
  Win32DrawingText(HWND parent, HWND after);
  Win32DrawingText(const Win32DrawingText&) = delete;
  Win32DrawingText& operator=(const Win32DrawingText&) = delete;

  HWND Handle() const { return hwnd_; }
  // Over the drawing's box, in the parent's client pixels.
  void Place(const RECT& box);
  // The drawing's lines now: a screen reader hears of each change.
  void Say(const std::wstring& lines);

 private:
  HWND hwnd_;
  bool live_ = false;
};
