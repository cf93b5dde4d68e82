// The language the program's texts are in, and the English fallback; the
// texts themselves come from LoadTextIn (string_table.cpp, or the Windows
// programs' resources).
#include <algorithm>
#include <iterator>

#include "common/string_table.h"
#include "string_languages.h"

static_assert(kEnglish == kStringTableEnglish);

namespace {

int g_language = kEnglish;

bool IsTableLanguage(int languageId) {
  return std::binary_search(std::begin(kStringTableLanguages), std::end(kStringTableLanguages),
                            languageId);
}

}  // namespace

std::span<const int> TextLanguages() { return kStringTableLanguages; }

void SetTextLanguage(int languageId) {
  g_language = IsTableLanguage(languageId) ? languageId : kEnglish;
}

int TextLanguage() { return g_language; }

const char* LoadText(int stringId) {
  if (const char* text = LoadTextIn(g_language, stringId)) return text;
  return LoadTextIn(kEnglish, stringId);
}
