#include "common/language.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "common/string_table.h"

namespace {

struct LocaleLanguage {
  const char* name;  // language, or language-region, lower case with '-'
  int languageId;
};

// Regions first; a language alone takes the variant its speakers mostly use.
constexpr LocaleLanguage kLanguages[] = {
    {"zh-tw", 1028}, {"zh-hk", 1028},   {"zh-mo", 1028}, {"zh-hant", 1028}, {"zh-cn", 2052},
    {"zh-sg", 2052}, {"zh-hans", 2052}, {"zh", 2052},    {"cs", 1029},      {"de-ch", 2055},
    {"de-li", 2055}, {"de-at", 3079},   {"de", 1031},    {"en", kEnglish},  {"es-mx", 2058},
    {"es", 3082},    {"fr-be", 2060},   {"fr-ch", 4108}, {"fr", 1036},      {"hu", 1038},
    {"it-ch", 2064}, {"it", 1040},      {"ja", 1041},    {"ko", 1042},      {"pl", 1045},
    {"pt-pt", 2070}, {"pt", 1046},      {"ru", 1049},    {"sk", 1051},
};

// "de_CH.UTF-8@euro" -> "de-ch"; "zh_Hant_TW" keeps every part.
std::string Normalised(const std::string& locale) {
  std::string out;
  for (char c : locale) {
    if (c == '.' || c == '@') break;
    out += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

}  // namespace

int LanguageForLocale(const std::string& locale) {
  // "zh-hant-tw" -> {"zh", "hant", "tw"}
  std::vector<std::string> parts;
  std::string name = Normalised(locale);
  for (std::size_t start = 0; start <= name.size();) {
    std::size_t end = std::min(name.find('-', start), name.size());
    parts.push_back(name.substr(start, end - start));
    start = end + 1;
  }
  if (parts[0].empty() || parts[0] == "c" || parts[0] == "posix") return 0;
  // A variant for one of the locale's script or region parts comes first.
  for (const LocaleLanguage& entry : kLanguages) {
    const std::string wanted = entry.name;
    if (wanted.rfind(parts[0] + "-", 0) != 0) continue;
    const std::string variant = wanted.substr(parts[0].size() + 1);
    if (std::find(parts.begin() + 1, parts.end(), variant) != parts.end()) return entry.languageId;
  }
  for (const LocaleLanguage& entry : kLanguages)
    if (parts[0] == entry.name) return entry.languageId;
  return 0;
}

int LanguageForLocales(const std::vector<std::string>& preferred) {
  for (const std::string& locale : preferred)
    if (int id = LanguageForLocale(locale)) return id;
  return kEnglish;
}

int LanguageForWindowsLanguage(int languageId) {
  for (int known : TextLanguages())
    if (known == languageId) return languageId;
  // A Windows language id is a primary language in the low 10 bits and a
  // sublanguage (region or script) above them.
  const int primary = languageId & 0x3FF, sub = languageId >> 10;
  constexpr int kChinese = 0x04, kGerman = 0x07;
  if (primary == kChinese) {
    // Taiwan, Hong Kong, Macao and the Traditional script read Traditional.
    const bool traditional = sub == 1 || sub == 3 || sub == 5 || sub == 0x1F;
    return traditional ? 1028 : 2052;
  }
  if (primary == kGerman && sub == 5) return 2055;  // Liechtenstein
  struct Base {
    int primary;
    int languageId;
  };
  constexpr Base kBases[] = {{0x05, 1029}, {kGerman, 1031}, {0x09, kEnglish}, {0x0A, 3082},
                             {0x0C, 1036}, {0x0E, 1038},    {0x10, 1040},     {0x11, 1041},
                             {0x12, 1042}, {0x15, 1045},    {0x16, 1046},     {0x19, 1049},
                             {0x1B, 1051}};
  for (const Base& base : kBases)
    if (base.primary == primary) return base.languageId;
  return kEnglish;
}

int LanguageForEnvironment() {
  std::vector<std::string> locales;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(name); value && *value) locales.push_back(value);
  return LanguageForLocales(locales);
}
