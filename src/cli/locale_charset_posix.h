// Text output in the character set of the user's locale, on Linux and
// macOS (Windows' console is switched to UTF-8 for the run instead).
#pragma once

#include <string>

// The text (UTF-8) in the character set the locale's environment names
// (LC_ALL, LC_CTYPE, LANG), such as KOI8-R or GB18030, with `?` for each
// character that set cannot show. Unchanged for UTF-8, for the C and POSIX
// locales (whose output has always been UTF-8) and for a set the system
// cannot convert to.
std::string InLocaleCharset(const std::string& utf8);
