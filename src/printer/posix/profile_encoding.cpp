// Profile files here hold the program's own UTF-8.
#include "printer/profile_encoding.h"

std::string ToProfileEncoding(const std::string& utf8) { return utf8; }
