// What a screen reader is told of the windows' controls beyond what Qt says
// itself: a radio button whose checks the dialog makes (not Qt's own
// exclusive group) is still a radio button, named with its row; the panel
// display's drawing is text.
#pragma once

// Installs the program's accessible interfaces (once; later calls do nothing).
void InstallAccessibleInterfaces();
