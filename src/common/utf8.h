// Reading UTF-8 that may be ill-formed: the program's texts are UTF-8, the
// printer's bytes may be anything. Well-formed is the Unicode standard's
// table: no overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <string_view>

struct Utf8Sequence {
  // The character's bytes; for an ill-formed sequence those of its maximal
  // subpart (the longest start of a well-formed one, at least one byte).
  std::size_t length;
  bool wellFormed;
  char32_t code;  // the character, when well-formed
};

// The sequence that starts at text[at]; at < text.size().
Utf8Sequence DecodeUtf8(std::string_view text, std::size_t at);
