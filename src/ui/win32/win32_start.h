// What the Windows program takes from Win32 before the shell runs: its
// arguments, the user's language, the common controls, and a message box
// for what it answers without a window (it has no console).
#pragma once

#include <string>
#include <vector>

// The program's arguments, without its name, as UTF-8.
std::vector<std::string> Win32ProgramArguments();

// The string table in the user's interface language; the common controls
// the dialogs use registered.
void StartWin32Toolkit();

// A message box without an owner, titled with the program's name.
enum class ProgramMessageKind { Information, Error };
void ShowProgramMessage(const std::string& text, ProgramMessageKind kind);
