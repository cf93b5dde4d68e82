// The printer's bytes as text a strict reader takes: JSON parsers and the
// node exporter refuse the whole output for one ill-formed sequence.
#pragma once

#include <string>
#include <string_view>

// `text` with each maximal ill-formed subpart replaced by U+FFFD, by the
// Unicode standard's table of well-formed sequences: no overlong forms, no
// surrogates, nothing above U+10FFFF.
std::string ValidUtf8(std::string_view text);
