// An information page's text (KEY=VALUE lines) read into values, apart from
// its transfer and from where the values are kept: bytes in, values out.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct InfoPageValues {
  // False when a line stood alone that is not the page's header (pages 1
  // to 3): the text is not this page, and reading stopped there.
  bool compatible = true;
  // (field index in the page's key table, value of at most 31 bytes), in
  // line order; a later line for the same key comes later.
  std::vector<std::pair<int, std::string>> values;
};

// The values of the page's known keys in byteCount bytes of text; nothing for
// a page number other than 1 to 4.
InfoPageValues ParseInfoPageText(int page, const char* text, int byteCount);
