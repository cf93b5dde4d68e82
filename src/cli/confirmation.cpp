#include "cli/confirmation.h"

#include <cctype>
#include <cstdio>
#include <iostream>

#include "cli/exit_status.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

void RequireWayToConfirm(bool yes) {
  if (!yes && !isatty(fileno(stdin)))
    throw CliFailure(kExitUsage,
                     "standard input is not a terminal; give --yes to send without asking");
}

void Confirm(bool yes, const std::string& what) {
  if (yes) return;
  std::fprintf(stderr, "Send %s? [y/N] ", what.c_str());
  std::fflush(stderr);
  std::string answer;
  // At the end of input (Ctrl+D) no line ends the question: end it here, so
  // that the message below stands on a line of its own.
  if (!std::getline(std::cin, answer)) std::fputc('\n', stderr);
  for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (answer != "y" && answer != "yes") throw CliFailure(kExitDeclined, "nothing sent");
}
