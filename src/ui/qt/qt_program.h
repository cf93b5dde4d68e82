// What the Linux program takes from Qt before the shell runs: the
// application set up as a notification-area program, the user's language
// and the program's icons, made from the PNGs compiled into it.
#pragma once

#include <QIcon>

#include <array>

// Once the QApplication exists: its name, its lifetime, the dialogs' font.
void SetUpQtApplication();

// The user's language from the locale (LC_ALL, LC_MESSAGES, LANG, LANGUAGE).
int QtUserLanguage();

QIcon ProgramIcon();

// The icon in the watch's states: ready, warning, error, no printer.
std::array<QIcon, 4> WatchIcons();
