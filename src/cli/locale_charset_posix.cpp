#include "cli/locale_charset_posix.h"

#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstdlib>

namespace {

std::string Normalized(const std::string& name) {
  std::string out;
  for (char c : name)
    if (std::isalnum(static_cast<unsigned char>(c)))
      out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The locale's character set: the system's own word when the locale is
// installed, else the part of its name after the dot ("ru_RU.KOI8-R").
// Empty when the output stays UTF-8.
std::string LocaleCharset() {
  const char* name = nullptr;
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) {
      name = value;
      break;
    }
  }
  if (!name) return "";
  const std::string locale = name;
  if (locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) return "";
  std::string charset;
  if (std::setlocale(LC_CTYPE, "")) charset = nl_langinfo(CODESET);
  std::setlocale(LC_CTYPE, "C");
  if (charset.empty() || Normalized(charset) == "ANSIX341968") {
    const std::size_t dot = locale.find('.');
    if (dot == std::string::npos) return "";
    charset = locale.substr(dot + 1, locale.find('@', dot) - dot - 1);
  }
  return Normalized(charset) == "UTF8" ? "" : charset;
}

}  // namespace

std::string InLocaleCharset(const std::string& utf8) {
  static const std::string charset = LocaleCharset();
  if (charset.empty()) return utf8;
  iconv_t converter = iconv_open(charset.c_str(), "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return utf8;
  std::string out;
  char buffer[256];
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  while (inLeft > 0) {
    char* next = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &next, &room);
    out.append(buffer, std::size_t(next - buffer));
    if (result != std::size_t(-1) || errno == E2BIG) continue;
    // A character the set cannot show (or, as the text is UTF-8, never a
    // broken one): a question mark in its place.
    out += '?';
    std::size_t skip = 1;
    while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
    in += skip;
    inLeft -= skip;
  }
  char* next = buffer;
  std::size_t room = sizeof buffer;
  iconv(converter, nullptr, nullptr, &next, &room);  // a stateful set's closing bytes
  out.append(buffer, std::size_t(next - buffer));
  iconv_close(converter);
  return out;
}
