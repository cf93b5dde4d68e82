// The language the program's texts are in, and the English fallback; the
// texts themselves come from LoadTextIn (string_table.cpp, or the Windows
// programs' resources).
#include <algorithm>
#include <cassert>
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
  const char* english = LoadTextIn(kEnglish, stringId);
  // Every id of the table has English, so an id without it is none of the
  // table's: the caller's fault, not the user's.
  assert(english && "a string id the table does not have");
  return english;
}
