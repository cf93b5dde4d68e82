// The export's text in the encoding the platform's profile files use: the
// system's ANSI code page on Windows (as its profile writer stores text);
// elsewhere the program's own UTF-8, unchanged.
#pragma once

#include <string>

// Converts each UTF-8 character; bytes that are not UTF-8 (a printer's
// own bytes) are kept as they are. A character the code page lacks becomes
// what the system puts for it.
std::string ToProfileEncoding(const std::string& utf8);
