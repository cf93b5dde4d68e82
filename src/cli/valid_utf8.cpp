#include "cli/valid_utf8.h"

#include "common/utf8.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Sequence sequence = DecodeUtf8(text, i);
    if (sequence.wellFormed)
      out.append(text.substr(i, sequence.length));
    else
      out += kReplacement;  // the whole ill-formed subpart
    i += sequence.length;
  }
  return out;
}
