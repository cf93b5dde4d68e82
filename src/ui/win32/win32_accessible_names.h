// Names for screen readers that the standard controls cannot give
// themselves: a radio button "On" that does not say which setting, a slider
// that does not say which group. The control answers WM_GETOBJECT with the
// system's accessible object for it, its name replaced (and its role, where
// the system's object knows only a client window). And what the system
// cannot know: a control whose changes a screen reader reads unasked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// From now on a screen reader asking the control's name hears name(), asked
// at each question so that it follows the texts it is made of; an empty one
// leaves the system's name.
void NameForScreenReaders(HWND control, std::function<std::wstring()> name);

// A screen reader reads the control's changes when the user is idle (a
// polite live region), each told by EVENT_OBJECT_LIVEREGIONCHANGED. Loads
// the accessibility libraries: called when first needed, not at start.
void MarkPoliteLiveRegion(HWND control);
